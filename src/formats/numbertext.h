#ifndef VANTREL_SRC_FORMATS_NUMBERTEXT_H
#define VANTREL_SRC_FORMATS_NUMBERTEXT_H

#include <QString>
#include <QStringView>

#include <optional>

// Most numbers in data files are written plainly: an optional minus and decimal digits with
// at most one point. Such a number is read exactly without a general conversion.

// '0' to '9' only: other scripts' digits are no digits in a data file.
inline bool Is_Ascii_Digit(QChar character)
{
    return character >= QLatin1Char('0') && character <= QLatin1Char('9');
}

// The value of a plain number of at most 15 digits, the double nearest to it as
// QString::toDouble gives it; nothing for any other text.
std::optional<double> Plain_Decimal(QStringView text);

// What QStringView::toDouble and QStringView::toInt (base 10) give, plain numbers read the
// quick way.
double Text_To_Double(QStringView text, bool* ok);
int Text_To_Int(QStringView text, bool* ok);

// Whether a line that is not empty begins with a minus, a digit or a point, as a line of
// numbers does and no keyword does.
bool Begins_Like_Number(const QString& line);

#endif
