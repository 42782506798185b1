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

// Numbers of one to `most_digits` random digits, most with a point, half with a minus.
inline QVector<QString> Random_Numbers(int count, int most_digits, quint32 seed)
{
    QRandomGenerator random(seed);
    QVector<QString> numbers;
    for (int k = 0; k < count; ++k)
    {
        QString number;
        const int length = random.bounded(1, most_digits + 1);
        for (int digit = 0; digit < length; ++digit)
            number += QChar('0' + random.bounded(10));
        if (random.bounded(4) > 0)
            number.insert(random.bounded(length + 1), '.');
        numbers << (random.bounded(2) ? '-' + number : number);
    }
    return numbers;
}

// The same double, bit for bit: the sign of zero counts.
inline bool Same_Double(double value, double other)
{
    return value == other && std::signbit(value) == std::signbit(other);
}

#endif
