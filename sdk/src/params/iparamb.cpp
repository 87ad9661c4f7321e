// Parameter blocks: each parameter is a constant or a list of (time, value)
// keys, interpolated linearly and constant outside the keys. A constant is
// kept as a double, which holds an integer parameter's every int and a float
// parameter's every float exactly; keys are floats, and an integer read from
// them is rounded on the way out.
#include "iparamb.h"
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

typedef std::pair<TimeValue, float> ParamKey;

bool earlier(const ParamKey& a, const ParamKey& b) { return a.first < b.first; }

float interpolate(const ParamKey& a, const ParamKey& b, TimeValue t) {
    const double span = static_cast<double>(static_cast<std::int64_t>(b.first) - a.first);
    const float f = static_cast<float>(static_cast<double>(static_cast<std::int64_t>(t) - a.first) / span);
    return a.second + (b.second - a.second) * f;
}

// The int nearest to v: halves away from zero, beyond the int range its
// nearest end (converting such a value is undefined), not-a-number 0.
int nearestInt(double v) {
    if (std::isnan(v)) return 0;
    if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
    if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
    return static_cast<int>(std::lround(v));
}

}  // namespace

IParamBlock::IParamBlock(const ParamBlockDescID* desc, int count, DWORD v) : version(v) {
    if (!desc) return;
    for (int i = 0; i < count; ++i) {
        Param p;
        p.desc = desc[i];
        params.push_back(p);
    }
}

ReferenceTarget* IParamBlock::Clone(RemapDir& remap) {
    IParamBlock* copy = new IParamBlock(nullptr, 0, version);
    copy->params = params;
    BaseClone(this, copy, remap);
    return copy;
}

// Narrows ivalid as a node transform does: strictly between the first and
// last key only the instant itself, at or outside the ends up to infinity.
double IParamBlock::Evaluate(const Param& p, TimeValue t, Interval& ivalid) const {
    const auto& keys = p.keys;
    if (keys.empty()) return p.value;
    if (keys.size() == 1) return keys.front().second;
    const TimeValue first = keys.front().first, last = keys.back().first;
    if (t <= first) {
        ivalid &= Interval(TIME_NegInfinity, first);
        return keys.front().second;
    }
    if (t >= last) {
        ivalid &= Interval(last, TIME_PosInfinity);
        return keys.back().second;
    }
    ivalid &= Interval(t, t);
    auto hi = std::upper_bound(keys.begin(), keys.end(), ParamKey(t, 0.0f), earlier);
    return interpolate(*(hi - 1), *hi, t);
}

BOOL IParamBlock::GetValue(int i, TimeValue t, int& v, Interval& ivalid) {
    if (i < 0 || i >= NumParams()) return FALSE;
    v = nearestInt(Evaluate(params[i], t, ivalid));
    return TRUE;
}

BOOL IParamBlock::GetValue(int i, TimeValue t, float& v, Interval& ivalid) {
    if (i < 0 || i >= NumParams()) return FALSE;
    v = static_cast<float>(Evaluate(params[i], t, ivalid));
    return TRUE;
}

BOOL IParamBlock::SetValue(int i, TimeValue t, int v) { return SetStored(i, t, static_cast<double>(v)); }

BOOL IParamBlock::SetValue(int i, TimeValue t, float v) { return SetStored(i, t, static_cast<double>(v)); }

BOOL IParamBlock::SetStored(int i, TimeValue t, double v) {
    if (i < 0 || i >= NumParams()) return FALSE;
    auto& keys = params[i].keys;
    if (keys.empty()) {
        params[i].value = v;
    } else {
        // v is an int or a float: as a float it is the nearest float to it.
        const float key = static_cast<float>(v);
        auto at = std::lower_bound(keys.begin(), keys.end(), ParamKey(t, 0.0f), earlier);
        if (at != keys.end() && at->first == t)
            at->second = key;
        else
            keys.insert(at, ParamKey(t, key));
    }
    NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
    return TRUE;
}

void IParamBlock::SetKeys(int i, std::vector<std::pair<TimeValue, float>> keys) {
    if (i < 0 || i >= NumParams()) return;
    std::stable_sort(keys.begin(), keys.end(), earlier);
    params[i].keys = std::move(keys);
    NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
}

IParamBlock* CreateParameterBlock(const ParamBlockDescID* pdesc, int count, DWORD version) {
    if (!pdesc || count <= 0) return nullptr;
    return new IParamBlock(pdesc, count, version);
}
