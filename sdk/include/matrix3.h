// A 4x3 transform applied to row vectors: p * M = p.x*row0 + p.y*row1 + p.z*row2 + row3.
#pragma once
#include "point3.h"

class Matrix3 {
public:
    Matrix3() { IdentityMatrix(); }
    explicit Matrix3(int /*identity*/) { IdentityMatrix(); }
    Matrix3(const Point3& r0, const Point3& r1, const Point3& r2, const Point3& r3) {
        rows[0] = r0; rows[1] = r1; rows[2] = r2; rows[3] = r3;
    }

    void IdentityMatrix();
    Point3 GetRow(int i) const { return rows[i]; }
    void SetRow(int i, const Point3& p) { rows[i] = p; }
    Point3& operator[](int i) { return rows[i]; }
    const Point3& operator[](int i) const { return rows[i]; }
    Point3 GetTrans() const { return rows[3]; }
    void SetTrans(const Point3& p) { rows[3] = p; }
    void NoTrans() { rows[3] = Point3(0.0f, 0.0f, 0.0f); }

    // Post-multiplied elementary transforms (this = this * R), angles in radians.
    void RotateX(float angle);
    void RotateY(float angle);
    void RotateZ(float angle);
    void Scale(const Point3& s);
    void Translate(const Point3& p);

    Matrix3 operator*(const Matrix3& m) const;
    Matrix3& operator*=(const Matrix3& m) { return *this = *this * m; }
    bool operator==(const Matrix3& m) const;

private:
    Point3 rows[4];
};

Point3 operator*(const Point3& p, const Matrix3& m);
// The direction part only: no translation.
Point3 VectorTransform(const Matrix3& m, const Point3& v);
// The inverse of an affine transform; a singular matrix gives non-finite rows.
Matrix3 Inverse(const Matrix3& m);
Matrix3 TransMatrix(const Point3& p);
Matrix3 ScaleMatrix(const Point3& s);
Matrix3 RotateXMatrix(float angle);
Matrix3 RotateYMatrix(float angle);
Matrix3 RotateZMatrix(float angle);
