// The rollup's parameter description: the "SplineType" radio group.
#pragma once
#include "iparamm.h"

// Parameter 0 on the radio buttons "Linear", "Smooth", "Bezier" and
// "Bezier Corner", standing for the values 0 to 3 in that order.
extern ParamUIDesc splineTypeUI[1];
