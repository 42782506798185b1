#ifndef VANTREL_TESTS_TESTLOCALE_H
#define VANTREL_TESTS_TESTLOCALE_H

#include <QLocale>
#include <QtTest>

#include <clocale>

// A German locale (decimal comma) in Qt and the C library (ctest sets LC_ALL=de_DE.UTF-8):
// numbers the program reads or writes must still use the full stop.
inline void Pin_German_Locale()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QVERIFY2(std::setlocale(LC_ALL, "") != nullptr, "LC_ALL names a locale that is not installed");
    QCOMPARE(std::localeconv()->decimal_point, ",");
}

#endif
