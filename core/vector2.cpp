#include "core/vector2.h"

#include <cmath>

double TVector2::operator[](int Index) const
{
    switch (Index)
    {
    case 0:
        return x;
    case 1:
        return y;
    }
    VANTREL_CHECK(false);
}

double& TVector2::operator[](int Index)
{
    switch (Index)
    {
    case 0:
        return x;
    case 1:
        return y;
    }
    VANTREL_CHECK(false);
}

TVector2& TVector2::Normalize()
{
    const double Length = std::sqrt(x * x + y * y);
    VANTREL_CHECK(Length > std::numeric_limits<double>::epsilon());
    x /= Length;
    y /= Length;
    return *this;
}

double operator*(const TVector2& a, const TVector2& b)
{
    return a.x * b.x + a.y * b.y;
}

TVector2 operator*(const TVector2& v, double s)
{
    return TVector2(v.x * s, v.y * s);
}

TVector2 operator*(double s, const TVector2& v)
{
    return TVector2(v.x * s, v.y * s);
}

TVector2 operator+(const TVector2& a, const TVector2& b)
{
    return TVector2(a.x + b.x, a.y + b.y);
}

TVector2 operator+(const TVector2& v, double s)
{
    return TVector2(v.x + s, v.y + s);
}

TVector2 operator+(double s, const TVector2& v)
{
    return TVector2(v.x + s, v.y + s);
}

TVector2 operator-(const TVector2& a, const TVector2& b)
{
    return TVector2(a.x - b.x, a.y - b.y);
}

TVector2 operator-(const TVector2& v, double s)
{
    return TVector2(v.x - s, v.y - s);
}
