#include "src/laserfile.h"

#include "core/check.h"

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

// The unit each kind's deviations are stored in, and whether it is only the usual one (the
// file does not say).
struct TKindUnit
{
    TDeviationUnit Unit;
    bool Choosable;
};

const std::array<TKindUnit, Kind_Count> Kind_Units = {{
    {TDeviationUnit::Millimetre, false},
    {TDeviationUnit::Micrometre, true},
    {TDeviationUnit::Micrometre_Per_Metre, true},
    {TDeviationUnit::Micrometre, true},
    {TDeviationUnit::Millimetre, false},
    {TDeviationUnit::Millimetre, false},
    {TDeviationUnit::Millimetre_Per_Metre, false},
}};

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
    d_chosen_deviation_unit.reset();
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

TDeviationUnit TLaserFile::Deviation_Unit() const
{
    const TDeviationUnit usual = Kind_Units[Is_Known_Kind(d_file_type) ? d_file_type : 0].Unit;
    return d_chosen_deviation_unit && Takes_Deviation_Unit(*d_chosen_deviation_unit)
               ? *d_chosen_deviation_unit
               : usual;
}

bool TLaserFile::Takes_Deviation_Unit(TDeviationUnit unit) const
{
    return Is_Known_Kind(d_file_type) && Kind_Units[d_file_type].Choosable &&
           Unit_Info(unit).Is_Angle == Unit_Info(Kind_Units[d_file_type].Unit).Is_Angle;
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
