#include "panel/param_ui.h"
#include "object/trellis_object.h"
#include "resources/resource.h"

static int splineTypeButtons[] = {IDC_LINEAR, IDC_SMOOTH, IDC_BEZIER, IDC_BEZIER_CORNER};

ParamUIDesc splineTypeUI[1] = {ParamUIDesc(PB_SPLINETYPE, TYPE_RADIO, splineTypeButtons, 4)};
