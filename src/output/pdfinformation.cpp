#include "src/output/pdfinformation.h"

#include <QDateTime>
#include <QRegularExpression>

namespace
{

// A text string any reader decodes, whatever characters it holds: UTF-16BE after a byte order
// mark, in hexadecimal.
QByteArray Text_String(const QString& text)
{
    QByteArray bytes = "FEFF";
    for (const QChar c : text)
        bytes += QByteArray::number(c.unicode() | 0x10000, 16).mid(1).toUpper();
    return '<' + bytes + '>';
}

QByteArray Entry(const char* key, const QString& value)
{
    return value.isEmpty() ? QByteArray() : QByteArray("/") + key + ' ' + Text_String(value) + '\n';
}

// The value of the trailer's entry `key` as it is written (a number, a reference, an array);
// empty when it has none.
QByteArray Trailer_Value(const QByteArray& trailer, const char* key, const char* pattern)
{
    const QRegularExpression expression(
        QStringLiteral("/%1\\s*(%2)").arg(QLatin1String(key), QLatin1String(pattern)));
    return expression.match(QString::fromLatin1(trailer)).captured(1).toLatin1();
}

} // namespace

QByteArray With_Pdf_Information(const QByteArray& pdf, const TPdfInformation& information)
{
    const int trailer_at = pdf.lastIndexOf("trailer");
    const int startxref_at = pdf.lastIndexOf("startxref");
    if (trailer_at < 0 || startxref_at < trailer_at)
        return QByteArray();
    const QByteArray trailer = pdf.mid(trailer_at, startxref_at - trailer_at);
    const QByteArray size = Trailer_Value(trailer, "Size", "\\d+");
    const QByteArray root = Trailer_Value(trailer, "Root", "\\d+\\s+\\d+\\s+R");
    const QByteArray id = Trailer_Value(trailer, "ID", "\\[[^\\]]*\\]");
    bool previous_ok = false;
    const qint64 previous =
        pdf.mid(startxref_at + 9).trimmed().split('\n').value(0).trimmed().toLongLong(&previous_ok);
    if (size.isEmpty() || root.isEmpty() || !previous_ok)
        return QByteArray();

    QByteArray update = pdf.endsWith('\n') ? QByteArray() : QByteArray("\n");
    const qint64 object_at = pdf.size() + update.size();
    update +=
        size + " 0 obj\n<<\n" + Entry("Title", information.Title) +
        Entry("Author", information.Author) + Entry("Creator", information.Creator) +
        Entry("Producer", QStringLiteral("Qt ") + QLatin1String(qVersion())) + "/CreationDate (D:" +
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() +
        "Z)\n>>\nendobj\n";
    const qint64 xref_at = pdf.size() + update.size();
    // Each entry of the table is exactly 20 bytes long.
    update += "xref\n" + size + " 1\n" + QByteArray::number(object_at).rightJustified(10, '0') +
              " 00000 n\r\n";
    update += "trailer\n<<\n/Size " + QByteArray::number(size.toLongLong() + 1) + "\n/Root " +
              root + "\n/Info " + size + " 0 R\n" +
              (id.isEmpty() ? QByteArray() : "/ID " + id + '\n') + "/Prev " +
              QByteArray::number(previous) + "\n>>\nstartxref\n" + QByteArray::number(xref_at) +
              "\n%%EOF\n";
    return pdf + update;
}
