#include "src/laserfile.h"

#include "src/wholefile.h"

#include <QDir>
#include <QFile>

#include <array>
#include <cmath>

namespace
{

constexpr int Kind_Count = 7;
constexpr int Section_Count = 3;

const std::array<const char*, Kind_Count> Descriptions = {
    "Unknown file type or file not loaded.",
    "Renishaw ML10/XL80 linear data (RTL).",
    "Renishaw ML10/XL80 angular data (RTA).",
    "Renishaw ML10/XL80 straightness data (STx).",
    "API XD scale data (POS).",
    "API XD straightness data (STR).",
    "API XD angular data (ANG).",
};

// "X" marks a section that the kind does not use.
const std::array<std::array<const char*, Section_Count>, Kind_Count> Labels = {{
    {"X", "X", "X"},
    {"L1", "X", "X"},
    {"A1", "X", "X"},
    {"S1.", "X", "X"},
    {"L1", "X", "X"},
    {"XX", "YY", "X"},
    {"RA", "RB", "RC"},
}};

// Real files are small text files; beyond this size a file cannot be one, and its lines
// could outgrow what a string can hold once decoded.
constexpr qint64 Largest_File_Size = 512 * 1024 * 1024;

bool Is_Known_Kind(TLaserFileType type)
{
    return type >= 0 && type < Kind_Count;
}

bool Is_Finite(const TVector2& point)
{
    return std::isfinite(point.x) && std::isfinite(point.y);
}

// The mean of point j over the runs that reach it, each point divided before it is added.
// Values near the largest double overflow a plain sum but not this one.
TVector2 Mean_In_Parts(const TLaserSection& runs, std::size_t j, int reached)
{
    TVector2 mean;
    for (const TLaserRun& run : runs)
        if (j < run.size())
            mean = mean + run[j] / static_cast<double>(reached);
    return mean;
}

// Mean of the runs, point by point. A point is divided by the number of runs that reached
// it, so a short later run never drags the mean of the targets it missed toward zero.
TLaserRun Mean_Of(const TLaserSection& runs)
{
    if (runs.empty())
        return TLaserRun();
    TLaserRun mean = runs.front();
    std::vector<int> reached(mean.size(), 1);
    for (std::size_t k = 1; k < runs.size(); ++k)
    {
        const TLaserRun& run = runs[k];
        for (std::size_t j = 0; j < run.size() && j < mean.size(); ++j)
        {
            mean[j] = mean[j] + run[j];
            ++reached[j];
        }
    }
    for (std::size_t j = 0; j < mean.size(); ++j)
    {
        mean[j] = mean[j] / static_cast<double>(reached[j]);
        if (!Is_Finite(mean[j]))
            mean[j] = Mean_In_Parts(runs, j, reached[j]);
    }
    return mean;
}

} // namespace

TLaserFile::TLaserFile()
{
    Clear();
}

void TLaserFile::Clear()
{
    d_air_temperature = 20.0;
    d_air_pressure = 100.0;
    d_air_humidity = 50.0;
    d_material_temperature = 20.0;
    d_data_section_1.clear();
    d_data_section_2.clear();
    d_data_section_3.clear();
    d_directions_section_1.clear();
    d_directions_section_2.clear();
    d_directions_section_3.clear();
    d_file_name.clear();
    d_file_type = Unknown_Type;
}

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

QString TLaserFile::File_Name() const
{
    return d_file_name.mid(d_file_name.lastIndexOf(QLatin1Char('/')) + 1);
}

int TLaserFile::Run_Count(int section) const
{
    const TLaserSection* runs = Section(section);
    return runs ? static_cast<int>(runs->size()) : 0;
}

QString TLaserFile::Type_Description() const
{
    return Is_Known_Kind(d_file_type) ? QString::fromLatin1(Descriptions[d_file_type]) : QString();
}

QString TLaserFile::Section_Label(int section) const
{
    if (section < 0 || section >= Section_Count)
        return QStringLiteral("X");
    return Is_Known_Kind(d_file_type) ? QString::fromLatin1(Labels[d_file_type][section])
                                      : QString();
}

TLaserRun TLaserFile::Section_Data(int section, int index) const
{
    if (index >= 0)
    {
        switch (section)
        {
        case 0:
            VANTREL_CHECK(static_cast<unsigned int>(index) < d_data_section_1.size());
            break;
        case 1:
            VANTREL_CHECK(static_cast<unsigned int>(index) < d_data_section_2.size());
            break;
        case 2:
            VANTREL_CHECK(static_cast<unsigned int>(index) < d_data_section_3.size());
            break;
        }
    }
    const TLaserSection* runs = Section(section);
    if (!runs)
        return TLaserRun();
    return index >= 0 ? (*runs)[static_cast<std::size_t>(index)] : Mean_Of(*runs);
}

TRunDirection TLaserFile::Run_Direction(int section, int index) const
{
    const TRunDirections* directions = Directions(section);
    if (!directions || index < 0 || static_cast<std::size_t>(index) >= directions->size())
        return TRunDirection::Up;
    return (*directions)[static_cast<std::size_t>(index)];
}

const TLaserSection* TLaserFile::Section(int section) const
{
    switch (section)
    {
    case 0:
        return &d_data_section_1;
    case 1:
        return &d_data_section_2;
    case 2:
        return &d_data_section_3;
    }
    return nullptr;
}

const TRunDirections* TLaserFile::Directions(int section) const
{
    switch (section)
    {
    case 0:
        return &d_directions_section_1;
    case 1:
        return &d_directions_section_2;
    case 2:
        return &d_directions_section_3;
    }
    return nullptr;
}
