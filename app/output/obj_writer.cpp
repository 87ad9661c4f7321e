#include "app/output/obj_writer.h"
#include <charconv>

namespace {

// Shortest form that reads back as the same float.
std::string objNumber(float value) {
    char text[32];
    std::to_chars_result written = std::to_chars(text, text + sizeof(text), value);
    return written.ec == std::errc() ? std::string(text, written.ptr) : "0";
}

// OBJ names end at white space; control characters would end the line.
std::string objName(const std::string& name) {
    std::string safe;
    for (char c : name) safe += static_cast<unsigned char>(c) <= 0x20 || c == '\x7f' ? '_' : c;
    return safe;
}

class ObjText {
public:
    void comment(const std::string& line) { text += "# " + line + "\n"; }
    void statement(const std::string& keyword, const std::string& name) { text += keyword + " " + name + "\n"; }
    void curve(const WorldCurve& curve) {
        if (curve.points.size() < 2) return;  // a line element needs two points
        std::string indices;
        for (const Point3& p : curve.points) {
            text += "v " + objNumber(p.x) + " " + objNumber(p.y) + " " + objNumber(p.z) + "\n";
            indices += " " + std::to_string(++vertices);
        }
        if (curve.closed) indices += " " + std::to_string(vertices - curve.points.size() + 1);
        text += "l" + indices + "\n";
    }
    const std::string& result() const { return text; }

private:
    std::string text;
    std::size_t vertices = 0;
};

void writeGroup(ObjText& obj, const std::vector<WorldCurve>& curves, bool sectionCopies, const std::string& name) {
    obj.statement("g", name + (sectionCopies ? "_sections" : "_connections"));
    for (const WorldCurve& curve : curves)
        if (curve.sectionCopy == sectionCopies) obj.curve(curve);
}

}  // namespace

std::string cagesToObj(const EvaluatedFrame& frame, int timesInRun) {
    ObjText obj;
    std::string header = "Trellis cages at time " + std::to_string(frame.time) + ", world space";
    if (timesInRun > 1) header += " (the first of " + std::to_string(timesInRun) + " times)";
    obj.comment(header);
    for (const CageSnapshot& snapshot : frame.objects) {
        std::string name = objName(snapshot.name);
        std::vector<WorldCurve> curves = worldCurves(snapshot.view, snapshot.sectionCopies);
        obj.statement("o", name);
        writeGroup(obj, curves, true, name);
        writeGroup(obj, curves, false, name);
    }
    return obj.result();
}
