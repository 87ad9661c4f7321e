// Parameter blocks: numbered, optionally animated parameters of an object.
#pragma once
#include <vector>
#include "ref.h"

enum ParamType { TYPE_FLOAT = 0, TYPE_INT = 1, TYPE_RGBA = 2, TYPE_POINT3 = 3, TYPE_BOOL = 4 };

class UserType;
struct ParamBlockDescID {
    ParamType type;
    UserType* user;
    BOOL animatable;
    DWORD id;
};

class IParamBlock : public ReferenceTarget {
public:
    IParamBlock(const ParamBlockDescID* desc, int count, DWORD version);

    SClass_ID SuperClassID() override { return PARAMETER_BLOCK_CLASS_ID; }
    Class_ID ClassID() override { return Class_ID(0x0008, 0); }
    RefResult NotifyRefChanged(Interval, RefTargetHandle, PartID&, RefMessage) override { return REF_SUCCEED; }
    // A block with the same descriptor, version, values and keys.
    ReferenceTarget* Clone(RemapDir& remap) override;

    int NumParams() const { return static_cast<int>(params.size()); }
    DWORD GetVersion() const { return version; }
    ParamType GetParameterType(int i) const { return params[i].desc.type; }
    const ParamBlockDescID& GetDesc(int i) const { return params[i].desc; }

    // A constant holds any int and any float exactly, as the host's integer
    // and float parameters do. Integer values of animated parameters
    // interpolate linearly between keys and round to the nearest integer
    // (values beyond the int range give its nearest end); valid is narrowed
    // as a node transform's.
    BOOL GetValue(int i, TimeValue t, int& v, Interval& ivalid);
    BOOL GetValue(int i, TimeValue t, float& v, Interval& ivalid);
    // Sets the value at t: a constant when the parameter has no keys, else a
    // key at t. Notifies dependents with REFMSG_CHANGE.
    BOOL SetValue(int i, TimeValue t, int v);
    BOOL SetValue(int i, TimeValue t, float v);
    // Replaces the parameter's animation by these (time, value) keys. Key
    // values are floats, whatever the parameter's type.
    void SetKeys(int i, std::vector<std::pair<TimeValue, float>> keys);
    // The parameter's keys sorted by time; empty for a constant. The real
    // host reaches keys through the parameter's controller; the stand-in
    // keeps them in the block.
    const std::vector<std::pair<TimeValue, float>>& GetKeys(int i) const { return params[i].keys; }
    bool IsAnimated(int i) const { return params[i].keys.size() > 1; }

private:
    struct Param {
        ParamBlockDescID desc;
        // A double holds every int and every float exactly.
        double value = 0.0;
        std::vector<std::pair<TimeValue, float>> keys;
    };
    double Evaluate(const Param& p, TimeValue t, Interval& ivalid) const;
    BOOL SetStored(int i, TimeValue t, double v);
    std::vector<Param> params;
    DWORD version;
};

IParamBlock* CreateParameterBlock(const ParamBlockDescID* pdesc, int count, DWORD version);

// Objects that expose parameters by index; every default reports failure.
class IParamArray {
public:
    virtual ~IParamArray() = default;
    virtual BOOL SetValue(int, TimeValue, float) { return FALSE; }
    virtual BOOL SetValue(int, TimeValue, int) { return FALSE; }
    virtual BOOL GetValue(int, TimeValue, float&, Interval&) { return FALSE; }
    virtual BOOL GetValue(int, TimeValue, int&, Interval&) { return FALSE; }
    virtual IParamBlock* GetParamBlock() { return nullptr; }
    virtual int GetParamBlockIndex(int) { return -1; }
};
