#include "app/output/obj_writer.h"
#include "app/host/spline_sampler.h"
#include "app/output/decimal_counter.h"
#include "app/output/output_text.h"
#include "app/output/shortest_float.h"

namespace {

// OBJ names end at white space; control characters would end the line.
std::string objName(const std::string& name) {
    std::string safe;
    for (char c : name) safe += static_cast<unsigned char>(c) <= 0x20 || c == '\x7f' ? '_' : c;
    return safe;
}

// Room for "v X Y Z\n" and "l A B\n": each number's room (which holds what
// its writer stores, beyond its text too) and the line's other characters.
const std::size_t VERTEX_LINE_ROOM = 3 * SHORTEST_FLOAT_ROOM + 4;
const std::size_t EDGE_LINE_ROOM = 2 * DecimalCounter::COPY_SIZE + 4;

class ObjText {
public:
    explicit ObjText(std::ostream& out) : text(out) {}

    void comment(const std::string& line) { text << "# " << line << '\n'; }
    void statement(const char* keyword, const std::string& name) { text << keyword << ' ' << name << '\n'; }

    // Its vertices, then a chain of two-vertex line elements through them;
    // points that are not finite are left out. One element through all the
    // vertices is valid OBJ, but common importers keep only its first edge;
    // two-vertex elements are what modelling tools themselves export.
    void curve(const CageView& view, const PolyLine& line) {
        if (!hasTwoPoints(view, line)) return;  // a line element needs two points
        std::size_t first = vertices + 1;
        Point3 p;
        // Each line is written whole into room enough for its longest form.
        auto vertexLine = [&p](char* at) {
            at = writeShortestFloat(putText(at, "v "), p.x);
            at = writeShortestFloat(putText(at, " "), p.y);
            at = writeShortestFloat(putText(at, " "), p.z);
            return putText(at, "\n");
        };
        for (int i = 0; i < line.numPts(); ++i) {
            if (!worldPoint(view, line, i, p)) continue;
            text.put(VERTEX_LINE_ROOM, vertexLine);
            ++vertices;
        }
        DecimalCounter number(first);
        auto edgeLine = [&number](char* at) {
            at = putText(number.copyTo(putText(at, "l ")), " ");
            number.increment();
            return putText(number.copyTo(at), "\n");
        };
        for (std::size_t v = first; v < vertices; ++v) text.put(EDGE_LINE_ROOM, edgeLine);
        if (line.IsClosed()) text << "l " << vertices << ' ' << first << '\n';
    }

    void finish() { text.finish(); }

private:
    static bool hasTwoPoints(const CageView& view, const PolyLine& line) {
        Point3 p;
        int finite = 0;
        for (int i = 0; i < line.numPts() && finite < 2; ++i) finite += worldPoint(view, line, i, p);
        return finite >= 2;
    }

    OutputText text;
    std::size_t vertices = 0;
};

void writeGroup(ObjText& obj, const CageSnapshot& snapshot, bool sectionCopies, const std::string& name,
                SplineSampler& sampler) {
    obj.statement("g", name + (sectionCopies ? "_sections" : "_connections"));
    const BezierShape& cage = snapshot.cage();
    for (int i = 0; i < cage.SplineCount(); ++i)
        if ((i < snapshot.sectionCopies) == sectionCopies) obj.curve(snapshot.view, sampler.sample(*cage.GetSpline(i)));
}

}  // namespace

void writeCagesObj(std::ostream& out, const EvaluatedFrame& frame, int timesInRun) {
    ObjText obj(out);
    std::string header = "Trellis cages at time " + std::to_string(frame.time) + ", world space";
    if (timesInRun > 1) header += " (the first of " + std::to_string(timesInRun) + " times)";
    obj.comment(header);
    SplineSampler sampler;
    for (const CageSnapshot& snapshot : frame.objects) {
        std::string name = objName(snapshot.name);
        obj.statement("o", name);
        writeGroup(obj, snapshot, true, name, sampler);
        writeGroup(obj, snapshot, false, name, sampler);
    }
    obj.finish();
}
