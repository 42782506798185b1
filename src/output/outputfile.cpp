#include "src/output/outputfile.h"

#include "src/laserfile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace
{

// A pipe, a character device, "/dev/stdout": it exists, but is no plain file. (A folder is
// one too, and fails to open.)
bool Is_Special_File(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isFile();
}

// A buffered write that the system cuts short shows only when the buffer is flushed;
// QSaveFile::commit() alone has been seen to report success for a truncated file.
bool Write_All(QFileDevice& file, const QByteArray& bytes, QIODevice::OpenMode mode)
{
    return file.open(QIODevice::WriteOnly | mode) && file.write(bytes) == bytes.size() &&
           file.flush();
}

} // namespace

QString Output_Is_Input_Refusal(const QString& path, const QString& input)
{
    const QString output = QFileInfo(path).canonicalFilePath();
    if (output.isEmpty() || output != QFileInfo(input).canonicalFilePath())
        return QString();
    return QStringLiteral("ERR:  The output file is the input file: '%1'")
        .arg(QDir::toNativeSeparators(path));
}

QString Output_Is_Input_Refusal(const QString& path, const QStringList& inputs)
{
    for (const QString& input : inputs)
    {
        const QString refusal = Output_Is_Input_Refusal(path, input);
        if (!refusal.isEmpty())
            return refusal;
    }
    return QString();
}

QString Empty_Section_Refusal(const TLaserFile& file, int section)
{
    if (file.Run_Count(section) >= 1)
        return QString();
    return QStringLiteral("ERR:  Section %1 of '%2' holds no run.")
        .arg(file.Section_Label(section), QDir::toNativeSeparators(file.d_file_name));
}

bool Write_Output_File(const QString& path, const QByteArray& bytes, QIODevice::OpenMode mode)
{
    if (Is_Special_File(path))
    {
        QFile file(path);
        return Write_All(file, bytes, mode);
    }
    // Whatever goes wrong, a QSaveFile that is not committed leaves an existing file as it was.
    QSaveFile file(path);
    return Write_All(file, bytes, mode) && file.commit();
}
