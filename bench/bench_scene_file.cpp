#include "bench_scene_file.h"
#include <charconv>
#include <cstdio>

namespace {

// Numbers go out in their shortest round-trip form, so the program reads
// back the very floats that the in-process scene holds.
void appendNumber(std::string& text, float value) {
    char digits[32];
    auto written = std::to_chars(digits, digits + sizeof digits, value);
    text.append(digits, written.ptr);
}

void appendPoint(std::string& text, const Point3& p) {
    text += '[';
    appendNumber(text, p.x);
    text += ',';
    appendNumber(text, p.y);
    text += ',';
    appendNumber(text, p.z);
    text += ']';
}

void appendSection(std::string& text, int section, int knots) {
    text += "{\"name\":\"Section" + std::to_string(section) + "\",\"position\":";
    appendPoint(text, Point3(0.0f, 0.0f, sectionHeight(section)));
    text += ",\"shape\":{\"splines\":[{\"closed\":false,\"knots\":[";
    for (int i = 0; i < knots; ++i) {
        text += i ? ",\n{\"type\":\"corner\",\"point\":" : "\n{\"type\":\"corner\",\"point\":";
        appendPoint(text, arcKnot(section, i, knots));
        text += '}';
    }
    text += "]}]}}";
}

}  // namespace

std::string sceneFileText(Road road, int n, int K) {
    std::string text;
    // About 50 bytes a knot; one allocation for the largest scenes.
    text.reserve(static_cast<std::size_t>(totalKnots(road, n, K)) * 56 + 256 * static_cast<std::size_t>(n) + 256);
    text += "{\"time\":0,\"nodes\":[\n";
    for (int s = 0; s < n; ++s) {
        if (s) text += ",\n";
        appendSection(text, s, knotsOfSection(road, s, K));
    }
    text += "],\n\"trellis\":[{\"name\":\"Cage\",\"splineType\":\"Linear\",\"sections\":[";
    for (int s = 0; s < n; ++s) text += (s ? ",\"Section" : "\"Section") + std::to_string(s) + "\"";
    text += "]}]}\n";
    return text;
}

bool writeSceneFile(const std::string& path, Road road, int n, int K) {
    std::string text = sceneFileText(road, n, K);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}
