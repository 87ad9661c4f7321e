// A node's transform controller: position, rotation (degrees about X, then Y,
// then Z) and scale, constant or keyed with linear interpolation between keys
// and constant values outside them.
#pragma once
#include <vector>
#include "ref.h"
#include "matrix3.h"

struct TMKey {
    TimeValue time = 0;
    Point3 position = Point3(0.0f, 0.0f, 0.0f);
    Point3 rotation = Point3(0.0f, 0.0f, 0.0f);  // degrees
    Point3 scale = Point3(1.0f, 1.0f, 1.0f);
};

// The matrix of one transform: scale, then rotation about X, Y, Z, then translation.
Matrix3 ComposeTM(const Point3& position, const Point3& rotationDegrees, const Point3& scale);

class PRSControl : public ReferenceTarget {
public:
    SClass_ID SuperClassID() override { return CTRL_MATRIX3_CLASS_ID; }
    Class_ID ClassID() override { return Class_ID(0x2005, 0); }
    RefResult NotifyRefChanged(Interval, RefTargetHandle, PartID&, RefMessage) override { return REF_SUCCEED; }
    ReferenceTarget* Clone(RemapDir& remap) override;

    // Replaces the animation by a constant transform; notifies dependents.
    void SetStatic(const TMKey& value);
    // Replaces the animation by these keys (sorted by time here); notifies dependents.
    void SetKeys(std::vector<TMKey> keys);
    bool IsAnimated() const { return keys.size() > 1; }
    const std::vector<TMKey>& Keys() const { return keys; }

    // The transform at t, narrowing valid: strictly between the first and
    // last key [t, t]; at or before the first key (NegInfinity, first];
    // at or after the last key [last, PosInfinity); constant leaves it as it is.
    Matrix3 GetValue(TimeValue t, Interval& valid) const;
    TMKey Sample(TimeValue t) const;

private:
    std::vector<TMKey> keys{TMKey()};
};
