// Single-precision point or vector, as the host stores geometry.
#pragma once
#include <cmath>

class Point3 {
public:
    float x = 0.0f, y = 0.0f, z = 0.0f;

    Point3() = default;
    Point3(float X, float Y, float Z) : x(X), y(Y), z(Z) {}
    Point3(double X, double Y, double Z)
        : x(static_cast<float>(X)), y(static_cast<float>(Y)), z(static_cast<float>(Z)) {}
    Point3(int X, int Y, int Z)
        : x(static_cast<float>(X)), y(static_cast<float>(Y)), z(static_cast<float>(Z)) {}

    static Point3 Origin() { return Point3(0.0f, 0.0f, 0.0f); }

    float& operator[](int i) { return i == 0 ? x : (i == 1 ? y : z); }
    float operator[](int i) const { return i == 0 ? x : (i == 1 ? y : z); }

    Point3 operator-() const { return Point3(-x, -y, -z); }
    Point3 operator+(const Point3& p) const { return Point3(x + p.x, y + p.y, z + p.z); }
    Point3 operator-(const Point3& p) const { return Point3(x - p.x, y - p.y, z - p.z); }
    Point3 operator*(float f) const { return Point3(x * f, y * f, z * f); }
    Point3 operator/(float f) const { return Point3(x / f, y / f, z / f); }
    Point3& operator+=(const Point3& p) { x += p.x; y += p.y; z += p.z; return *this; }
    Point3& operator-=(const Point3& p) { x -= p.x; y -= p.y; z -= p.z; return *this; }
    Point3& operator*=(float f) { x *= f; y *= f; z *= f; return *this; }

    // Exact comparison, coordinate by coordinate: -0.0 equals 0.0 and a
    // not-a-number coordinate equals nothing, as IEEE comparison gives.
    bool operator==(const Point3& p) const { return x == p.x && y == p.y && z == p.z; }
    bool operator!=(const Point3& p) const { return !(*this == p); }

    float LengthSquared() const { return x * x + y * y + z * z; }
    float Length() const { return std::sqrt(LengthSquared()); }
};

inline Point3 operator*(float f, const Point3& p) { return p * f; }
inline float Length(const Point3& p) { return p.Length(); }
inline float LengthSquared(const Point3& p) { return p.LengthSquared(); }
inline float DotProd(const Point3& a, const Point3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Point3 CrossProd(const Point3& a, const Point3& b) {
    return Point3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}
// A zero vector stays zero rather than becoming not-a-number.
inline Point3 Normalize(const Point3& p) {
    float len = p.Length();
    return len > 0.0f ? p / len : Point3(0.0f, 0.0f, 0.0f);
}

// Integer screen position.
struct IPoint2 {
    int x = 0, y = 0;
    IPoint2() = default;
    IPoint2(int X, int Y) : x(X), y(Y) {}
};
