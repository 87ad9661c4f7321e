#include "app/host/scene_builder.h"
#include <algorithm>
#include <map>
#include "app/host/primitive_objects.h"
#include "app/host/trellis_refs.h"

namespace {

SplineShape* makeSplineShape(const std::vector<SplineDesc>& splines) {
    SplineShape* object = new SplineShape();
    for (const SplineDesc& spline : splines) {
        Spline3D* made = object->shape.NewSpline();
        for (const KnotDesc& k : spline.knots) made->AddKnot(SplineKnot(k.type, k.line, k.point, k.inVec, k.outVec), -1);
        if (spline.closed) made->SetClosed(1);
        made->ComputeBezPoints();
    }
    object->ShapeChanged();
    return object;
}

LinearShape* makeLinearShape(const std::vector<PolylineDesc>& polylines) {
    LinearShape* object = new LinearShape();
    for (const PolylineDesc& polyline : polylines) {
        PolyLine& line = object->shape.NewLine();
        for (const Point3& p : polyline.points) line.Append(PolyPt(p, POLYPT_KNOT));
        if (polyline.closed) line.Close();
    }
    return object;
}

// Null for a node without an object (a dummy).
Object* makeNodeObject(const NodeDesc& node) {
    switch (node.kind) {
        case NodeObjectKind::Splines: return makeSplineShape(node.splines);
        case NodeObjectKind::Polylines: return makeLinearShape(node.polylines);
        case NodeObjectKind::Primitive: return makePrimitiveObject(node.primitive);
        case NodeObjectKind::Mesh: return new TriObject();
        case NodeObjectKind::None: break;
    }
    return nullptr;
}

typedef std::map<std::string, INode*> NodesByName;

INode* addNode(const NodeDesc& desc, Scene& scene) {
    INode* node = scene.CreateNode(makeNodeObject(desc), desc.name.c_str());
    node->Hide(desc.hidden ? TRUE : FALSE);
    if (desc.animated) node->GetTMController()->SetKeys(desc.transform);
    else node->GetTMController()->SetStatic(desc.transform.front());
    if (desc.pivot) node->SetObjOffset(ComposeTM(desc.pivot->position, desc.pivot->rotation, desc.pivot->scale));
    return node;
}

// As the host makes objects: through the loaded plug-in's class
// descriptor, so the object's code, names and panel are the plug-in's.
Object* createTrellisObject(ClassDesc& trellisClass) {
    Animatable* made = static_cast<Animatable*>(trellisClass.Create(FALSE));
    Object* object = dynamic_cast<Object*>(made);
    if (isOfTrellisClass(object)) return object;
    if (made) made->DeleteThis();
    throw SceneError("the trellis object class made no trellis object");
}

INode* addTrellisNode(const TrellisDesc& desc, Scene& scene, ClassDesc& trellisClass) {
    Object* object = createTrellisObject(trellisClass);
    INode* node = scene.CreateNode(object, desc.name.c_str());
    TMKey placement;
    placement.position = desc.position;
    node->GetTMController()->SetStatic(placement);
    // Placed in its node, the object is past creation, as after the
    // creation click in the viewport.
    object->ClearAFlag(A_OBJ_CREATING);
    return node;
}

void setSplineType(ReferenceTarget& object, const SplineTypeDesc& splineType) {
    IParamBlock* block = splineTypeBlock(object);
    if (!block) return;  // the object has already reported the missing block
    if (splineType.keys.empty()) block->SetValue(PB_SPLINETYPE, 0, splineType.value);
    else block->SetKeys(PB_SPLINETYPE, splineType.keys);
}

// Runs once every node exists, since a section may be another trellis object's node.
void setSections(ReferenceTarget& object, const TrellisDesc& desc, const NodesByName& nodes) {
    for (std::size_t slot = 0; slot < desc.sections.size(); ++slot)
        if (desc.sections[slot])
            object.ReplaceReference(FIRST_SECTION_REF + static_cast<int>(slot), nodes.at(*desc.sections[slot]), TRUE);
}

}  // namespace

TrellisNodes buildScene(const SceneDesc& desc, Scene& scene, ClassDesc& trellisClass) {
    NodesByName nodes;
    for (const NodeDesc& node : desc.nodes) nodes[node.name] = addNode(node, scene);
    TrellisNodes trellisNodes;
    for (const TrellisDesc& trellis : desc.trellis) {
        INode* node = addTrellisNode(trellis, scene, trellisClass);
        nodes[trellis.name] = node;
        trellisNodes.push_back(node);
    }
    // In evaluation order, each object is set up before any other object
    // references its node, so the change messages of its setup stop at its
    // own node instead of running down a chain of trellis objects.
    for (int i : desc.evaluationOrder) {
        ReferenceTarget& object = *trellisNodes[i]->GetObjectRef();
        setSections(object, desc.trellis[i], nodes);
        setSplineType(object, desc.trellis[i].splineType);
    }
    return trellisNodes;
}

void deleteNamedNodes(Scene& scene, const std::vector<std::string>& names, TrellisNodes& trellisNodes) {
    for (const std::string& name : names)
        if (!scene.FindNode(name.c_str())) throw SceneError("--delete: unknown node name " + quoteName(name));
    for (const std::string& name : names) {
        INode* node = scene.FindNode(name.c_str());
        if (!node) continue;  // named twice
        std::replace(trellisNodes.begin(), trellisNodes.end(), node, static_cast<INode*>(nullptr));
        scene.DeleteNode(node);
    }
}
