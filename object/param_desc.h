// The parameter block of a trellis object: one animatable integer, "SplineType".
#pragma once
#include "iparamb.h"

const DWORD TRELLIS_PBLOCK_VERSION = 6;
extern ParamBlockDescID splineTypeDesc[1];
