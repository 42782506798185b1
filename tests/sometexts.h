#ifndef VANTREL_TESTS_SOMETEXTS_H
#define VANTREL_TESTS_SOMETEXTS_H

#include <QRandomGenerator>
#include <QString>
#include <QVector>

#include <cmath>

// Every text of one to `longest` characters of the alphabet.
inline QVector<QString> All_Texts(const QString& alphabet, int longest)
{
    QVector<QString> texts, shorter = {QString()};
    for (int length = 1; length <= longest; ++length)
    {
        QVector<QString> longer;
        for (const QString& text : shorter)
            for (QChar character : alphabet)
                longer << text + character;
        texts += longer;
        shorter = longer;
    }
    return texts;
}

// A number of one to `most_digits` random digits, three in four with a point, half with a minus.
inline QString Random_Number(QRandomGenerator& random, int most_digits)
{
    QString number;
    const int length = random.bounded(1, most_digits + 1);
    for (int digit = 0; digit < length; ++digit)
        number += QChar('0' + random.bounded(10));
    if (random.bounded(4) > 0)
        number.insert(random.bounded(length + 1), '.');
    return random.bounded(2) ? '-' + number : number;
}

// The same double, bit for bit: the sign of zero counts.
inline bool Same_Double(double value, double other)
{
    return value == other && std::signbit(value) == std::signbit(other);
}

#endif
