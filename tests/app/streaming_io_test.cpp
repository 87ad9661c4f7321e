// Scene files are read and documents written as streams, without a document
// tree. The reader must accept exactly the texts the JSON library accepts,
// and report faults as a whole-document reader would; the writer must give
// JSON that reads back to the same values, every float bit for bit.
#include <gtest/gtest.h>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <sstream>
#include <nlohmann/json.hpp>
#include "app/output/json_writer.h"
#include "app/scene/json_reader.h"
#include "app/scene/scene_file.h"

namespace {

// Whether the reader gets through the whole text (any value, skipped).
bool readerAccepts(const std::string& text) {
    try {
        JsonReader reader(text);
        reader.skipValue();
        reader.expectEnd();
        return true;
    } catch (const JsonSyntaxFault&) {
        return false;
    }
}

TEST(JsonReader, AcceptsExactlyWhatTheLibraryAccepts) {
    const char* texts[] = {
        "{}", "[]", "[1, 2.5, -0, 1e5, \"a\\u00e9\\n\", true, false, null]", "{\"a\": {\"b\": [[], {}]}}",
        "\xEF\xBB\xBF{}", "  7  ", "\"\\ud83d\\ude00\"",
        // Faults.
        "", "{", "[1 2]", "[1,]", "{\"a\" 1}", "{\"a\":1,}", "{a:1}", "[01]", "[1.]", "[.5]", "[+1]",
        "[1e400]", "[-1e400]", "[nul]", "[True]", "\"\\x\"", "\"\xC3\"", "\"a\nb\"", "[1]]", "{} {}",
        "[\"\\ud83d\"]", "{\"a\":1}}", "[}", "{]", "[1e]", "[NaN]", "[Infinity]", "/* comment */ {}",
    };
    for (const char* text : texts)
        EXPECT_EQ(readerAccepts(text), nlohmann::json::accept(text)) << "text: " << text;
}

// Deep nesting in a field the format does not know is skipped without recursion.
TEST(JsonReader, SkipsDeepNestingWithoutRecursion) {
    const std::size_t depth = 200000;
    std::string text = "{\"other\": " + std::string(depth, '[') + std::string(depth, ']') + ", \"nodes\": []}";
    EXPECT_NO_THROW(parseScene(text));
}

std::string sceneErrorOf(const std::string& text) {
    try {
        parseScene(text);
    } catch (const SceneError& e) {
        return e.what();
    }
    return "";
}

// A reader of the whole document finds a syntax fault before looking at any
// value, so a fault of the text wins over an earlier fault of the scene.
TEST(SceneStream, SyntaxFaultsWinOverEarlierSceneFaults) {
    EXPECT_EQ(sceneErrorOf(R"({"nodes": [{"name": 5}], "extra": [1 2]})").rfind("invalid JSON: parse error at line 1", 0), 0u);
    EXPECT_EQ(sceneErrorOf(R"({"nodes": [{"name": 5}]})"), "nodes[0].name: expected a string, got number");
    EXPECT_EQ(sceneErrorOf(R"({"time": 1e400})"), "invalid JSON: number overflow parsing '1e400'");
    EXPECT_EQ(sceneErrorOf("[1, 2]"), "expected an object at the top level, got array");
}

// Counts are checked before the elements of lists whose length is part of their form.
TEST(SceneStream, ListLengthsAreCheckedBeforeTheirElements) {
    EXPECT_EQ(sceneErrorOf(R"({"nodes": [{"name": "A", "position": [1, "x"]}]})"),
              "nodes[0].position: expected an array of 3 numbers, got 2");
    EXPECT_EQ(sceneErrorOf(R"({"nodes": [{"name": "A", "position": [1, "x", 3]}]})"),
              "nodes[0].position[1]: expected a number, got string");
    EXPECT_EQ(sceneErrorOf(R"({"trellis": [{"name": "T", "splineType": {"keys": [[0, 1, 2]]}}]})"),
              "trellis[0].splineType.keys[0]: expected [time, value]");
    EXPECT_EQ(sceneErrorOf(R"({"trellis": [{"name": "T", "splineType": {"keys": [[0, 1], [0, 2]]}}]})"),
              "trellis[0].splineType.keys[1][0]: two keys at time 0");
}

std::string written(const std::function<void(JsonWriter&)>& write) {
    std::ostringstream out;
    JsonWriter json(out);
    write(json);
    json.finish();
    return out.str();
}

TEST(JsonWriter, FloatsReadBackBitForBit) {
    std::mt19937 random(7);
    std::vector<float> floats{0.1f, -0.0f, 1e-45f, 3.4028235e38f, 100.0f, 1e20f, 43.30127f};
    for (int i = 0; i < 2000; ++i) {
        std::uint32_t bits = static_cast<std::uint32_t>(random());
        float f;
        std::memcpy(&f, &bits, sizeof f);
        if (std::isfinite(f)) floats.push_back(f);
    }
    nlohmann::json document = nlohmann::json::parse(written([&](JsonWriter& json) {
        json.beginArray();
        for (float f : floats) json.value(f);
        json.endArray();
    }));
    ASSERT_EQ(document.size(), floats.size());
    for (std::size_t i = 0; i < floats.size(); ++i) {
        float back = static_cast<float>(document[i].get<double>());
        EXPECT_EQ(std::memcmp(&back, &floats[i], sizeof back), 0) << floats[i];
    }
}

TEST(JsonWriter, WritesTheStructureItIsGiven) {
    std::string text = written([](JsonWriter& json) {
        json.beginObject();
        json.key("name");
        json.value(std::string("a \"quoted\"\nname \xff"));
        json.key("empty");
        json.beginArray();
        json.endArray();
        json.key("points");
        json.beginArray();
        json.value(Point3(1.0f, std::numeric_limits<float>::infinity(), std::nanf("")));
        json.value(Point3(0.5f, -2.0f, 3.0f));
        json.endArray();
        json.key("flags");
        json.beginArray();
        json.value(true);
        json.value(-2147483647 - 1);
        json.endArray();
        json.endObject();
    });
    // Compact, in the order written, one line.
    EXPECT_EQ(text, "{\"name\":\"a \\\"quoted\\\"\\nname \xEF\xBF\xBD\",\"empty\":[],"
                    "\"points\":[[1,null,null],[0.5,-2,3]],\"flags\":[true,-2147483648]}\n");
}

}  // namespace
