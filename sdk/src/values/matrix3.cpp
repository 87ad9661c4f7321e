#include "matrix3.h"
#include <cmath>

void Matrix3::IdentityMatrix() {
    rows[0] = Point3(1.0f, 0.0f, 0.0f);
    rows[1] = Point3(0.0f, 1.0f, 0.0f);
    rows[2] = Point3(0.0f, 0.0f, 1.0f);
    rows[3] = Point3(0.0f, 0.0f, 0.0f);
}

Point3 operator*(const Point3& p, const Matrix3& m) {
    return Point3(p.x * m[0].x + p.y * m[1].x + p.z * m[2].x + m[3].x,
                  p.x * m[0].y + p.y * m[1].y + p.z * m[2].y + m[3].y,
                  p.x * m[0].z + p.y * m[1].z + p.z * m[2].z + m[3].z);
}

Point3 VectorTransform(const Matrix3& m, const Point3& v) {
    return Point3(v.x * m[0].x + v.y * m[1].x + v.z * m[2].x,
                  v.x * m[0].y + v.y * m[1].y + v.z * m[2].y,
                  v.x * m[0].z + v.y * m[1].z + v.z * m[2].z);
}

Matrix3 Matrix3::operator*(const Matrix3& m) const {
    Matrix3 r;
    for (int i = 0; i < 3; ++i) r.rows[i] = VectorTransform(m, rows[i]);
    r.rows[3] = rows[3] * m;
    return r;
}

bool Matrix3::operator==(const Matrix3& m) const {
    for (int i = 0; i < 4; ++i)
        if (rows[i] != m.rows[i]) return false;
    return true;
}

void Matrix3::RotateX(float angle) { *this = *this * RotateXMatrix(angle); }
void Matrix3::RotateY(float angle) { *this = *this * RotateYMatrix(angle); }
void Matrix3::RotateZ(float angle) { *this = *this * RotateZMatrix(angle); }
void Matrix3::Scale(const Point3& s) { *this = *this * ScaleMatrix(s); }
void Matrix3::Translate(const Point3& p) { rows[3] += p; }

Matrix3 TransMatrix(const Point3& p) {
    Matrix3 m;
    m.SetTrans(p);
    return m;
}

Matrix3 ScaleMatrix(const Point3& s) {
    return Matrix3(Point3(s.x, 0.0f, 0.0f), Point3(0.0f, s.y, 0.0f), Point3(0.0f, 0.0f, s.z),
                   Point3(0.0f, 0.0f, 0.0f));
}

// Right-hand rule: a positive angle turns counter-clockwise seen from the positive axis.
Matrix3 RotateXMatrix(float angle) {
    float c = std::cos(angle), s = std::sin(angle);
    return Matrix3(Point3(1.0f, 0.0f, 0.0f), Point3(0.0f, c, s), Point3(0.0f, -s, c),
                   Point3(0.0f, 0.0f, 0.0f));
}

Matrix3 RotateYMatrix(float angle) {
    float c = std::cos(angle), s = std::sin(angle);
    return Matrix3(Point3(c, 0.0f, -s), Point3(0.0f, 1.0f, 0.0f), Point3(s, 0.0f, c),
                   Point3(0.0f, 0.0f, 0.0f));
}

Matrix3 RotateZMatrix(float angle) {
    float c = std::cos(angle), s = std::sin(angle);
    return Matrix3(Point3(c, s, 0.0f), Point3(-s, c, 0.0f), Point3(0.0f, 0.0f, 1.0f),
                   Point3(0.0f, 0.0f, 0.0f));
}

// The inverse of the 3x3 part by cofactors (in double, then rounded once),
// and the translation carried back through it.
Matrix3 Inverse(const Matrix3& m) {
    double a[3][3];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) a[i][j] = m[i][j];
    double c00 = a[1][1] * a[2][2] - a[1][2] * a[2][1];
    double c01 = a[1][2] * a[2][0] - a[1][0] * a[2][2];
    double c02 = a[1][0] * a[2][1] - a[1][1] * a[2][0];
    double det = a[0][0] * c00 + a[0][1] * c01 + a[0][2] * c02;
    double inv[3][3] = {
        {c00, a[0][2] * a[2][1] - a[0][1] * a[2][2], a[0][1] * a[1][2] - a[0][2] * a[1][1]},
        {c01, a[0][0] * a[2][2] - a[0][2] * a[2][0], a[0][2] * a[1][0] - a[0][0] * a[1][2]},
        {c02, a[0][1] * a[2][0] - a[0][0] * a[2][1], a[0][0] * a[1][1] - a[0][1] * a[1][0]}};
    Matrix3 r;
    for (int i = 0; i < 3; ++i)
        r[i] = Point3(inv[i][0] / det, inv[i][1] / det, inv[i][2] / det);
    r[3] = -VectorTransform(r, m[3]);
    return r;
}
