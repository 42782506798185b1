#include "src/laserfile.h"

#include "core/check.h"

#include <algorithm>
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

const std::array<TMeasurementFamily, Kind_Count> Families = {
    TMeasurementFamily::None,         TMeasurementFamily::Linear, TMeasurementFamily::Angular,
    TMeasurementFamily::Straightness, TMeasurementFamily::Linear, TMeasurementFamily::Straightness,
    TMeasurementFamily::Angular,
};

bool Is_Known_Kind(TLaserFileType type)
{
    return type >= 0 && type < Kind_Count;
}

bool Is_Finite(const TVector2& point)
{
    return std::isfinite(point.x) && std::isfinite(point.y);
}

// Two positions are one target when they are the same number; NaN is taken as one number.
bool Same_Number(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

// Whether every run has the positions of the first, in the same order.
bool Same_Positions(const TLaserSection& runs)
{
    const auto same = [](const TVector2& a, const TVector2& b) { return Same_Number(a.x, b.x); };
    return std::all_of(runs.begin(), runs.end(),
                       [&](const TLaserRun& run) {
                           return std::equal(run.begin(), run.end(), runs.front().begin(),
                                             runs.front().end(), same);
                       });
}

// The mean of point j of runs that share their positions, each point divided before it is
// added. Values near the largest double overflow a plain sum but not this one.
TVector2 Mean_In_Parts(const TLaserSection& runs, std::size_t j)
{
    TVector2 mean;
    for (const TLaserRun& run : runs)
        mean = mean + run[j] / static_cast<double>(runs.size());
    return mean;
}

// The mean of runs that share their positions, point by point.
TLaserRun Mean_By_Place(const TLaserSection& runs)
{
    TLaserRun mean = runs.front();
    for (std::size_t k = 1; k < runs.size(); ++k)
        for (std::size_t j = 0; j < mean.size(); ++j)
            mean[j] = mean[j] + runs[k][j];
    for (std::size_t j = 0; j < mean.size(); ++j)
    {
        mean[j] = mean[j] / static_cast<double>(runs.size());
        if (!Is_Finite(mean[j]))
            mean[j] = Mean_In_Parts(runs, j);
    }
    return mean;
}

// The mean deviation at each target, at the target's position; summed as Mean_By_Place does.
TLaserRun Mean_By_Target(const TLaserSection& runs, const TTargetMatch& match)
{
    TLaserRun mean;
    mean.reserve(match.Positions.size());
    for (std::size_t t = 0; t < match.Positions.size(); ++t)
    {
        const auto begin = match.Points.begin() + static_cast<std::ptrdiff_t>(match.First[t]);
        const auto end = match.Points.begin() + static_cast<std::ptrdiff_t>(match.First[t + 1]);
        const auto value = [&runs](const TTargetMatch::TRunPoint& at)
        { return runs[static_cast<std::size_t>(at.Run)][static_cast<std::size_t>(at.Point)].y; };
        const double count = static_cast<double>(end - begin);
        double sum = value(*begin);
        for (auto at = begin + 1; at != end; ++at)
            sum += value(*at);
        double deviation = sum / count;
        if (!std::isfinite(deviation))
        {
            deviation = 0.0;
            for (auto at = begin; at != end; ++at)
                deviation += value(*at) / count;
        }
        mean.emplace_back(match.Positions[t], deviation);
    }
    return mean;
}

// Target k is point k of every run.
TTargetMatch Match_By_Place(const TLaserSection& runs)
{
    TTargetMatch match;
    const std::size_t places = runs.empty() ? 0 : runs.front().size();
    match.Positions.reserve(places);
    match.First.reserve(places + 1);
    match.Points.reserve(places * runs.size());
    for (std::size_t j = 0; j < places; ++j)
    {
        match.Positions.push_back(runs.front()[j].x);
        match.First.push_back(match.Points.size());
        for (std::size_t k = 0; k < runs.size(); ++k)
            match.Points.push_back({static_cast<int>(k), static_cast<int>(j)});
    }
    match.First.push_back(match.Points.size());
    return match;
}

// Positions in one direction; NaN comes after every number when rising.
struct TPositionOrder
{
    bool Rising;
    bool operator()(double a, double b) const { return Rising ? Before(a, b) : Before(b, a); }
    static bool Before(double a, double b) { return std::isnan(b) ? !std::isnan(a) : a < b; }
};

// Rising when the first longest run rises or no run has two points.
bool Rises(const TLaserSection& runs)
{
    const auto longest = std::max_element(runs.begin(), runs.end(),
                                          [](const TLaserRun& a, const TLaserRun& b)
                                          { return a.size() < b.size(); });
    return longest == runs.end() || longest->size() < 2 || longest->back().x > longest->front().x;
}

// The distinct positions of all runs as targets, in the runs' direction.
TTargetMatch Match_By_Position(const TLaserSection& runs)
{
    struct TEntry
    {
        double Position;
        TTargetMatch::TRunPoint At;
    };
    std::vector<TEntry> entries;
    std::size_t points = 0;
    for (const TLaserRun& run : runs)
        points += run.size();
    entries.reserve(points);
    for (std::size_t k = 0; k < runs.size(); ++k)
        for (std::size_t j = 0; j < runs[k].size(); ++j)
            entries.push_back({runs[k][j].x, {static_cast<int>(k), static_cast<int>(j)}});
    const TPositionOrder order{Rises(runs)};
    // Stable: at one position the points stay in run order, each run's first one first.
    std::stable_sort(entries.begin(), entries.end(),
                     [&order](const TEntry& a, const TEntry& b)
                     { return order(a.Position, b.Position); });
    TTargetMatch match;
    match.Points.reserve(entries.size());
    for (const TEntry& entry : entries)
    {
        if (match.Positions.empty() || order(match.Positions.back(), entry.Position))
        {
            match.Positions.push_back(entry.Position);
            match.First.push_back(match.Points.size());
        }
        else if (match.Points.back().Run == entry.At.Run)
            continue;
        match.Points.push_back(entry.At);
    }
    match.First.push_back(match.Points.size());
    return match;
}

} // namespace

TMeasurementFamily Measurement_Family(TLaserFileType type)
{
    return Is_Known_Kind(type) ? Families[type] : TMeasurementFamily::None;
}

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
    d_environment_given = TEnvironmentGiven();
    Clear_Sections();
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

const TLaserSection& TLaserFile::Runs(int section) const
{
    static const TLaserSection none;
    const TLaserSection* runs = Section(section);
    return runs ? *runs : none;
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
    if (!runs || runs->empty())
        return TLaserRun();
    if (index >= 0)
        return (*runs)[static_cast<std::size_t>(index)];
    // The mean is shown for every report: runs that share their positions take the short way.
    return Same_Positions(*runs) ? Mean_By_Place(*runs)
                                 : Mean_By_Target(*runs, Match_By_Position(*runs));
}

TTargetMatch TLaserFile::Match_Targets(int section) const
{
    const TLaserSection* runs = Section(section);
    if (!runs)
        return Match_By_Place({});
    return Same_Positions(*runs) ? Match_By_Place(*runs) : Match_By_Position(*runs);
}

bool TLaserFile::Shares_Positions(int section) const
{
    return Same_Positions(Runs(section));
}

TDeviationUnit TLaserFile::Deviation_Unit() const
{
    const TDeviationUnit usual = Kind_Units[Is_Known_Kind(d_file_type) ? d_file_type : 0].Unit;
    return d_chosen_deviation_unit && Takes_Deviation_Unit(*d_chosen_deviation_unit)
               ? *d_chosen_deviation_unit
               : usual;
}

void TLaserFile::Clear_Sections()
{
    d_data_section_1.clear();
    d_data_section_2.clear();
    d_data_section_3.clear();
    d_directions_section_1.clear();
    d_directions_section_2.clear();
    d_directions_section_3.clear();
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
