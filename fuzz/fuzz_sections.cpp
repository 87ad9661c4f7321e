// Fuzz target: bytes become up to 12 sections (any floats, NaN and
// infinities included; up to 64 knots; open or closed; empty slots,
// polylines and meshes among them) of a trellis object with any
// "SplineType", and every shape query the host makes is asked of it.
#include <cfenv>
#include <cstdint>
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>
#include "max.h"
#include "object/trellis_object.h"

namespace {

const int MAX_FUZZ_SECTIONS = 12;
const int MAX_FUZZ_KNOTS = 64;

// Any 32 bits as a float, so NaNs, infinities and denormals all come up.
float consumeAnyFloat(FuzzedDataProvider& data) {
    std::uint32_t bits = data.ConsumeIntegral<std::uint32_t>();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

Point3 consumePoint(FuzzedDataProvider& data) {
    float x = consumeAnyFloat(data);
    float y = consumeAnyFloat(data);
    return Point3(x, y, consumeAnyFloat(data));
}

SplineShape* consumeSplineShape(FuzzedDataProvider& data) {
    SplineShape* object = new SplineShape();
    int splines = data.ConsumeIntegralInRange(0, 2);
    for (int s = 0; s < splines; ++s) {
        Spline3D* spline = object->shape.NewSpline();
        int knots = data.ConsumeIntegralInRange(0, MAX_FUZZ_KNOTS);
        for (int k = 0; k < knots; ++k) {
            int type = data.ConsumeIntegralInRange(KTYPE_AUTO, KTYPE_BEZIER_CORNER);
            int line = data.ConsumeIntegralInRange(LTYPE_CURVE, LTYPE_LINE);
            Point3 point = consumePoint(data);
            Point3 in = data.ConsumeBool() ? consumePoint(data) : point;
            Point3 out = data.ConsumeBool() ? consumePoint(data) : point;
            spline->AddKnot(SplineKnot(type, line, point, in, out), -1);
        }
        if (data.ConsumeBool()) spline->SetClosed(1);
        spline->ComputeBezPoints();
    }
    object->ShapeChanged();
    return object;
}

LinearShape* consumeLinearShape(FuzzedDataProvider& data) {
    LinearShape* object = new LinearShape();
    PolyLine& line = object->shape.NewLine();
    int points = data.ConsumeIntegralInRange(0, MAX_FUZZ_KNOTS);
    for (int i = 0; i < points; ++i) line.Append(PolyPt(consumePoint(data), POLYPT_KNOT));
    if (data.ConsumeBool()) line.Close();
    return object;
}

// Mostly spline shapes; now and then a polyline shape, a mesh or a dummy.
Object* consumeSectionObject(FuzzedDataProvider& data) {
    switch (data.ConsumeIntegralInRange(0, 7)) {
        case 0: return consumeLinearShape(data);
        case 1: return new TriObject();
        case 2: return nullptr;
        default: return consumeSplineShape(data);
    }
}

TMKey consumeTransform(FuzzedDataProvider& data) {
    TMKey key;
    if (data.ConsumeBool()) key.position = consumePoint(data);
    if (data.ConsumeBool()) key.rotation = consumePoint(data);
    if (data.ConsumeBool()) key.scale = consumePoint(data);
    return key;
}

void addSections(FuzzedDataProvider& data, Scene& scene, TrellisObject& object) {
    int slots = data.ConsumeIntegralInRange(0, MAX_FUZZ_SECTIONS);
    for (int slot = 0; slot < slots; ++slot) {
        if (data.ConsumeIntegralInRange(0, 7) == 0) continue;  // an empty slot
        INode* node = scene.CreateNode(consumeSectionObject(data), ("Section" + std::to_string(slot)).c_str());
        node->GetTMController()->SetStatic(consumeTransform(data));
        object.ReplaceReference(FIRST_SECTION_REF + slot, node, TRUE);
    }
    object.NotifyCageEdited();
}

// Every query a host makes of a shape, each reading the cache the first one built.
void queryEveryCurve(TrellisObject& object, TimeValue t, float param) {
    object.NumberOfVertices(t, -1);
    for (int curve = 0; curve < object.NumberOfCurves(); ++curve) {
        object.NumberOfVertices(t, curve);
        object.CurveClosed(t, curve);
        object.LengthOfCurve(t, curve);
        object.InterpCurve3D(t, curve, param, PARAM_SIMPLE);
        object.InterpCurve3D(t, curve, param, PARAM_NORMALIZED);
    }
    PolyShape polylines;
    object.MakePolyShape(t, polylines, PSHAPE_BUILTIN_STEPS, FALSE);
    Box3 box;
    object.GetLocalBoundBox(t, nullptr, nullptr, box);
    Object* converted = object.ConvertToType(t, splineShapeClassID);
    if (converted && converted != &object) converted->DeleteThis();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The builder relies on masked floating-point exceptions: a division by
    // zero gives an infinity, never a trap.
    fedisableexcept(FE_ALL_EXCEPT);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    Scene scene;
    TrellisObject* object = new TrellisObject();
    scene.CreateNode(object, "Cage");
    object->ClearAFlag(A_OBJ_CREATING);
    object->pblock->SetValue(PB_SPLINETYPE, 0, data.ConsumeIntegral<int>());
    TimeValue t = data.ConsumeIntegral<TimeValue>();
    float param = consumeAnyFloat(data);
    addSections(data, scene, *object);
    queryEveryCurve(*object, t, param);
    return 0;
}
