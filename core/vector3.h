#ifndef VANTREL_CORE_VECTOR3_H
#define VANTREL_CORE_VECTOR3_H

#include "core/check.h"

#include <limits>

// A triple of doubles, the three-dimensional companion of TVector2.
class TVector3
{
public:
    TVector3() = default;
    TVector3(double X, double Y, double Z) : x(X), y(Y), z(Z) {}

    double operator[](int Index) const;
    double& operator[](int Index);

    // Scales the vector to length 1 in place.
    TVector3& Normalize();

    // Replaces this vector by its cross product with Other (Other may be this vector).
    TVector3& Cross(const TVector3& Other);

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

TVector3 Cross(const TVector3& a, const TVector3& b);

double operator*(const TVector3& a, const TVector3& b);
TVector3 operator*(const TVector3& v, double s);
TVector3 operator*(double s, const TVector3& v);
TVector3 operator+(const TVector3& a, const TVector3& b);
TVector3 operator+(const TVector3& v, double s);
TVector3 operator+(double s, const TVector3& v);
TVector3 operator-(const TVector3& a, const TVector3& b);
TVector3 operator-(const TVector3& v, double s);

inline TVector3 operator/(const TVector3& v, double d)
{
    VANTREL_CHECK(d > std::numeric_limits<double>::epsilon());
    return TVector3(v.x / d, v.y / d, v.z / d);
}

#endif
