// Loading a file into the model: read whole, its kind told by its name, then its reader.

#include "src/laserfile.h"

#include "src/formats/wholefile.h"

#include <QDir>
#include <QFile>

namespace
{

// Real files are small text files; beyond this size a file cannot be one, and its lines
// could outgrow what a string can hold once decoded.
constexpr qint64 Largest_File_Size = 512 * 1024 * 1024;

} // namespace

bool TLaserFile::Load(const QString& path)
{
    const QString native_path = QDir::toNativeSeparators(path);
    QFile file(path);
    // A device or pipe could stream without end; only plain files are read.
    if (!file.open(QIODevice::ReadOnly) || file.isSequential())
    {
        d_error_message = QStringLiteral("Cannot open file '%1' for reading.").arg(native_path);
        return false;
    }
    if (file.size() > Largest_File_Size)
    {
        d_error_message =
            QStringLiteral("Input file '%1' is too large to be a laser file.").arg(native_path);
        return false;
    }
    const QByteArray content = Read_Whole_File(file);
    file.close();
    if (content.size() < 100)
    {
        d_error_message =
            QStringLiteral("Input file '%1' is too small to be a laser file.").arg(native_path);
        return false;
    }
    return Load_Content(path, content);
}

bool TLaserFile::Load_Content(const QString& path, const QByteArray& content)
{
    const TLaserFileType type = Detect_File_Type(path, content);
    if (type == Unknown_Type)
    {
        d_error_message =
            QStringLiteral("Input file '%1' doesn't appear to be a known laser file type.")
                .arg(QDir::toNativeSeparators(path));
        return false;
    }
    if (!Read_By_Type(type, content))
        return false;
    d_file_name = path;
    d_file_type = type;
    return true;
}

TLaserFileType TLaserFile::Detect_File_Type(const QString& path, const QByteArray&) const
{
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return Unknown_Type;
    // After the last dot, even when that dot stands in a folder name.
    const QString extension = path.mid(dot + 1);
    const auto is = [&](const char* whole)
    { return extension.compare(QLatin1String(whole), Qt::CaseInsensitive) == 0; };
    const auto begins_with = [&](const char* start)
    { return extension.startsWith(QLatin1String(start), Qt::CaseInsensitive); };
    if (is("RTL"))
        return Renishaw_RTL;
    if (is("RTA"))
        return Renishaw_RTA;
    if (begins_with("STR"))
        return API_XD_STR;
    if (begins_with("ST"))
        return Renishaw_STx;
    if (begins_with("POS"))
        return API_XD_POS;
    if (begins_with("ANG"))
        return API_XD_ANG;
    return Unknown_Type;
}

bool TLaserFile::Read_By_Type(TLaserFileType type, const QByteArray& content)
{
    switch (type)
    {
    case Renishaw_RTL:
    case Renishaw_RTA:
    case Renishaw_STx:
        return Read_Renishaw_File(content);
    case API_XD_POS:
        return Read_XD_Scale_File(content);
    case API_XD_STR:
        return Read_XD_Straightness_File(content);
    case API_XD_ANG:
        return Read_XD_Angular_File(content);
    case Unknown_Type:
        break;
    }
    return false;
}
