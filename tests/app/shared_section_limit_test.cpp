// A trellis object that other objects take as a section is converted whole
// for each of them: the size check counts that work, so a scene that makes
// one heavy cage the section of many objects is refused up front instead
// of running for hours.
#include <gtest/gtest.h>
#include "app/scene/limits.h"
#include "app/scene/scene_file.h"
#include "app/scene/scene_limits.h"
#include "support/app_test_support.h"

namespace {

// "Heavy" gathers a three-knot section and two of 100000 knots (a cage of
// some 600000 knots); `referrers` objects each take Heavy as their section.
std::string heavySectionScene(int referrers) {
    std::string big;
    for (int i = 0; i < 100000; ++i) big += std::string(i ? "," : "") + "{\"point\": [" + std::to_string(i) + ", 0, 0]}";
    std::string nodes = "{\"name\": \"Tiny\", \"shape\": {\"splines\": [{\"knots\": [{\"point\": [0,0,0]}, "
                        "{\"point\": [1,0,0]}, {\"point\": [2,0,0]}]}]}}";
    for (int s = 0; s < 2; ++s)
        nodes += ", {\"name\": \"Big" + std::to_string(s) + "\", \"shape\": {\"splines\": [{\"knots\": [" + big + "]}]}}";
    std::string trellis = "{\"name\": \"Heavy\", \"sections\": [\"Tiny\", \"Big0\", \"Big1\"]}";
    for (int r = 0; r < referrers; ++r) trellis += ", {\"name\": \"R" + std::to_string(r) + "\", \"sections\": [\"Heavy\"]}";
    return "{\"nodes\": [" + nodes + "], \"trellis\": [" + trellis + "]}";
}

TEST(SharedSectionLimit, EveryReferrerCountsTheConversionOfTheWholeCage) {
    std::uint64_t alone = measureEvaluationSize(parseScene(heavySectionScene(0)), 1);
    std::uint64_t once = measureEvaluationSize(parseScene(heavySectionScene(1)), 1);
    EXPECT_GT(once - alone, 500000u) << "the referrer's share is Heavy's whole cage, not its three-knot first spline";
    EXPECT_LE(once, MAX_EVALUATION_SIZE);
}

TEST(SharedSectionLimit, ManyReferrersOfAHeavyCageAreRefusedNamingTheFirstOverTheLimit) {
    apptest::TempDir dir;
    std::string scene = dir.write("scene.json", heavySectionScene(1000));
    apptest::RunResult run = apptest::runBinary(dir, {"build", scene});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "trellis: error: " + scene + ": trellis[2]: the cages up to \"R1\" at 1 time draw on more than " +
                           std::to_string(MAX_EVALUATION_SIZE) + " section knots, the limit of one run\n");
}

}  // namespace
