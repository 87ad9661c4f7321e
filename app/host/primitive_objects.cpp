#include "app/host/primitive_objects.h"

namespace {

SimpleShape* makeEmptyPrimitive(PrimitiveKind kind) {
    switch (kind) {
        case PrimitiveKind::Circle: return new CircleObject();
        case PrimitiveKind::Rectangle: return new RectangleObject();
        case PrimitiveKind::NGon: return new NGonObject();
        case PrimitiveKind::Star: return new StarObject();
    }
    return new CircleObject();
}

}  // namespace

SimpleShape* makePrimitiveObject(const PrimitiveDesc& desc) {
    SimpleShape* object = makeEmptyPrimitive(desc.kind);
    for (std::size_t i = 0; i < desc.params.size(); ++i) {
        const AnimatedValue& param = desc.params[i];
        int index = static_cast<int>(i);
        if (param.keys.empty()) object->pblock->SetValue(index, 0, param.value);
        else object->pblock->SetKeys(index, param.keys);
    }
    return object;
}
