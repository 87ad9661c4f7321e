#include "object/param_desc.h"

ParamBlockDescID splineTypeDesc[1] = {{TYPE_INT, nullptr, TRUE, 0}};
