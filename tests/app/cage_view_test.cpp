// An object at the world's origin, unturned, has its points placed without
// the transform's arithmetic: they must come out bit for bit where the
// arithmetic puts them, zeros and points that are not finite included.
#include <gtest/gtest.h>
#include <cstring>
#include <limits>
#include "app/host/cage_view.h"

namespace {

bool sameBits(const Point3& a, const Point3& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(CageView, PointsPlacedAsIsLandWhereTheIdentityTransformPutsThem) {
    const float inf = std::numeric_limits<float>::infinity();
    const float values[] = {0.0f, -0.0f, 1.0f, -2.5f, 1e-45f, -1e-45f, 3.4e38f, -3.4e38f, inf, -inf,
                            std::numeric_limits<float>::quiet_NaN()};
    CageView view;
    view.place(Matrix3(1));
    ASSERT_TRUE(view.placedAsIs());
    for (float x : values)
        for (float y : values)
            for (float z : values) {
                Point3 local(x, y, z), world, transformed = local * Matrix3(1);
                bool finite = worldPoint(view, local, world);
                bool transformedFinite =
                    std::isfinite(transformed.x) && std::isfinite(transformed.y) && std::isfinite(transformed.z);
                ASSERT_EQ(finite, transformedFinite) << x << " " << y << " " << z;
                if (finite) {
                    ASSERT_TRUE(sameBits(world, transformed)) << x << " " << y << " " << z;
                }
            }
}

TEST(CageView, OnlyTheIdentityItselfPlacesAsIs) {
    CageView view;
    EXPECT_TRUE(view.placedAsIs()) << "not placed yet";
    Matrix3 moved(1);
    moved.SetTrans(Point3(0.0f, 0.0f, 1e-30f));
    Matrix3 negativeZero(1);
    negativeZero.SetTrans(Point3(-0.0f, 0.0f, 0.0f));   // -0 + -0 stays -0
    Matrix3 scaled(1);
    scaled.SetRow(1, Point3(0.0f, 1.0000001f, 0.0f));
    for (const Matrix3& tm : {moved, negativeZero, scaled}) {
        view.place(tm);
        EXPECT_FALSE(view.placedAsIs());
        Point3 world;
        ASSERT_TRUE(worldPoint(view, Point3(-0.0f, 2.0f, -0.0f), world));
        EXPECT_TRUE(sameBits(world, Point3(-0.0f, 2.0f, -0.0f) * tm));
    }
}

}  // namespace
