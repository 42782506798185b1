#include "src/formats/numbertext.h"

#include <array>
#include <cstdint>

namespace
{

// Up to this many digits make a whole number that a double holds exactly, and ten to the
// power of up to Exact_Powers is exact too. Their quotient is then the double nearest to
// the decimal number, since a division rounds correctly.
constexpr int Exact_Digits = 15;
constexpr int Exact_Powers = 22;
// Up to this many digits always fit an int.
constexpr int Int_Digits = 9;

bool Is_Minus(QStringView text)
{
    return !text.isEmpty() && text.at(0) == QLatin1Char('-');
}

} // namespace

std::optional<double> Plain_Decimal(QStringView text)
{
    static constexpr std::array<double, Exact_Powers + 1> Powers = {
        1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const char16_t* at = text.utf16();
    const char16_t* const end = at + text.size();
    const bool negative = Is_Minus(text);
    at += negative ? 1 : 0;
    std::int64_t whole = 0;
    int digits = 0;
    const char16_t* point = nullptr;
    for (; at < end; ++at)
    {
        const unsigned digit = static_cast<unsigned>(*at) - u'0';
        if (digit < 10 && digits < Exact_Digits)
        {
            whole = whole * 10 + digit;
            ++digits;
        }
        else if (*at == u'.' && point == nullptr)
            point = at;
        else
            return std::nullopt;
    }
    const auto decimals = point == nullptr ? 0 : end - 1 - point;
    if (digits == 0 || decimals > Exact_Powers)
        return std::nullopt;
    const double value = static_cast<double>(whole) / Powers[static_cast<std::size_t>(decimals)];
    return negative ? -value : value;
}

double Text_To_Double(QStringView text, bool* ok)
{
    if (const std::optional<double> value = Plain_Decimal(text))
    {
        *ok = true;
        return *value;
    }
    return text.toDouble(ok);
}

int Text_To_Int(QStringView text, bool* ok)
{
    const bool negative = Is_Minus(text);
    const int first = negative ? 1 : 0;
    const int digits = text.size() - first;
    int value = 0;
    for (int k = first; k < text.size() && digits <= Int_Digits; ++k)
    {
        if (!Is_Ascii_Digit(text.at(k)))
            return text.toInt(ok, 10);
        value = value * 10 + (text.at(k).unicode() - '0');
    }
    if (digits < 1 || digits > Int_Digits)
        return text.toInt(ok, 10);
    *ok = true;
    return negative ? -value : value;
}

bool Begins_Like_Number(const QString& line)
{
    const QChar first = line.at(0);
    return Is_Ascii_Digit(first) || first == QLatin1Char('.') || first == QLatin1Char('-');
}
