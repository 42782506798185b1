#ifndef VANTREL_CORE_VECTOR2_H
#define VANTREL_CORE_VECTOR2_H

#include "core/check.h"

#include <limits>

// A pair of doubles: a measured point (position, deviation) or a graph coordinate.
class TVector2
{
public:
    TVector2() = default;
    TVector2(double X, double Y) : x(X), y(Y) {}

    double operator[](int Index) const;
    double& operator[](int Index);

    // Scales the vector to length 1 in place.
    TVector2& Normalize();

    double x = 0.0;
    double y = 0.0;
};

double operator*(const TVector2& a, const TVector2& b);
TVector2 operator*(const TVector2& v, double s);
TVector2 operator*(double s, const TVector2& v);
TVector2 operator+(const TVector2& a, const TVector2& b);
TVector2 operator+(const TVector2& v, double s);
TVector2 operator+(double s, const TVector2& v);
TVector2 operator-(const TVector2& a, const TVector2& b);
TVector2 operator-(const TVector2& v, double s);

// Divisors at or below the machine epsilon (zero and negatives included) are a caller's
// fault: the model only ever divides sums by run counts of at least one.
inline TVector2 operator/(const TVector2& v, double d)
{
    VANTREL_CHECK(d > std::numeric_limits<double>::epsilon());
    return TVector2(v.x / d, v.y / d);
}

#endif
