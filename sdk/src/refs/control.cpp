// The node transform controller: keyed position, rotation and scale with
// linear interpolation, constant before the first and after the last key.
#include "control.h"
#include <algorithm>
#include <cstdint>

namespace {

const float DEG_TO_RAD = 3.14159265358979323846f / 180.0f;

Point3 lerp(const Point3& a, const Point3& b, float f) { return a + (b - a) * f; }

// Fraction of the way from t0 to t1 at t (t0 <= t < t1), in 64 bits so keys
// far apart in time cannot overflow the difference.
float fractionBetween(TimeValue t0, TimeValue t1, TimeValue t) {
    const double span = static_cast<double>(static_cast<std::int64_t>(t1) - t0);
    return static_cast<float>(static_cast<double>(static_cast<std::int64_t>(t) - t0) / span);
}

}  // namespace

// Row vectors (p * M): the leftmost factor acts first.
Matrix3 ComposeTM(const Point3& position, const Point3& rotationDegrees, const Point3& scale) {
    return ScaleMatrix(scale) * RotateXMatrix(rotationDegrees.x * DEG_TO_RAD) *
           RotateYMatrix(rotationDegrees.y * DEG_TO_RAD) * RotateZMatrix(rotationDegrees.z * DEG_TO_RAD) *
           TransMatrix(position);
}

ReferenceTarget* PRSControl::Clone(RemapDir& remap) {
    PRSControl* copy = new PRSControl;
    copy->keys = keys;
    BaseClone(this, copy, remap);
    return copy;
}

void PRSControl::SetStatic(const TMKey& value) {
    keys.assign(1, value);
    NotifyDependents(FOREVER, PART_TM, REFMSG_CHANGE);
}

// Keys with equal times keep their given order; the later one wins from its time on.
void PRSControl::SetKeys(std::vector<TMKey> newKeys) {
    std::stable_sort(newKeys.begin(), newKeys.end(),
                     [](const TMKey& a, const TMKey& b) { return a.time < b.time; });
    keys = std::move(newKeys);
    NotifyDependents(FOREVER, PART_TM, REFMSG_CHANGE);
}

// No keys at all stands for the identity transform.
TMKey PRSControl::Sample(TimeValue t) const {
    TMKey out;
    if (!keys.empty()) {
        if (t <= keys.front().time) {
            out = keys.front();
        } else if (t >= keys.back().time) {
            out = keys.back();
        } else {
            auto hi = std::upper_bound(keys.begin(), keys.end(), t,
                                       [](TimeValue time, const TMKey& k) { return time < k.time; });
            const TMKey& a = *(hi - 1);
            const TMKey& b = *hi;
            const float f = fractionBetween(a.time, b.time, t);
            out.position = lerp(a.position, b.position, f);
            out.rotation = lerp(a.rotation, b.rotation, f);
            out.scale = lerp(a.scale, b.scale, f);
        }
    }
    out.time = t;
    return out;
}

Matrix3 PRSControl::GetValue(TimeValue t, Interval& valid) const {
    if (keys.size() > 1) {
        const TimeValue first = keys.front().time, last = keys.back().time;
        if (t <= first)
            valid &= Interval(TIME_NegInfinity, first);
        else if (t >= last)
            valid &= Interval(last, TIME_PosInfinity);
        else
            valid &= Interval(t, t);
    }
    const TMKey k = Sample(t);
    return ComposeTM(k.position, k.rotation, k.scale);
}
