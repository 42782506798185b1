#include "core/vector3.h"

#include <cmath>

double TVector3::operator[](int Index) const
{
    switch (Index)
    {
    case 0:
        return x;
    case 1:
        return y;
    case 2:
        return z;
    }
    VANTREL_CHECK(false);
}

double& TVector3::operator[](int Index)
{
    switch (Index)
    {
    case 0:
        return x;
    case 1:
        return y;
    case 2:
        return z;
    }
    VANTREL_CHECK(false);
}

TVector3& TVector3::Normalize()
{
    const double Length = std::sqrt(x * x + y * y + z * z);
    VANTREL_CHECK(Length > std::numeric_limits<double>::epsilon());
    x /= Length;
    y /= Length;
    z /= Length;
    return *this;
}

TVector3& TVector3::Cross(const TVector3& Other)
{
    // Computed into locals first, so that a.Cross(a) reads the unchanged components.
    const double X = y * Other.z - z * Other.y;
    const double Y = z * Other.x - x * Other.z;
    const double Z = x * Other.y - y * Other.x;
    x = X;
    y = Y;
    z = Z;
    return *this;
}

TVector3 Cross(const TVector3& a, const TVector3& b)
{
    TVector3 Result(a);
    return Result.Cross(b);
}

double operator*(const TVector3& a, const TVector3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

TVector3 operator*(const TVector3& v, double s)
{
    return TVector3(v.x * s, v.y * s, v.z * s);
}

TVector3 operator*(double s, const TVector3& v)
{
    return TVector3(v.x * s, v.y * s, v.z * s);
}

TVector3 operator+(const TVector3& a, const TVector3& b)
{
    return TVector3(a.x + b.x, a.y + b.y, a.z + b.z);
}

TVector3 operator+(const TVector3& v, double s)
{
    return TVector3(v.x + s, v.y + s, v.z + s);
}

TVector3 operator+(double s, const TVector3& v)
{
    return TVector3(v.x + s, v.y + s, v.z + s);
}

TVector3 operator-(const TVector3& a, const TVector3& b)
{
    return TVector3(a.x - b.x, a.y - b.y, a.z - b.z);
}

TVector3 operator-(const TVector3& v, double s)
{
    return TVector3(v.x - s, v.y - s, v.z - s);
}
