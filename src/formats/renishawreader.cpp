#include "src/laserfile.h"

#include "src/formats/numbertext.h"
#include "src/formats/textlines.h"
#include "src/formats/wholefile.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <utility>

namespace
{

const char* const Target_Data_Error = "Unexpected text in TARGET DATA:: section: '%1'";
const char* const Environment_Error = "Unexpected text in ENVIRONMENT:: section: '%1'";
const char* const Missing_Count_Error =
    "Parameter 'Target-count' not found in file.  Cannot process data.";

// A run counts only when one of its deviations is further than this from zero.
constexpr double Zero_Deviation = 1e-7;
constexpr int Material_Sensors = 3;

enum class TRenishawSection
{
    None,
    Target_Data,
    Deviations,
    Environment
};

// The environment keys in the order they are tested: three air readings, then the material
// temperature sensors.
enum TEnvironmentKey
{
    Air_Temperature,
    Air_Pressure,
    Air_Humidity,
    Material_1,
    Material_2,
    Material_3,
    Environment_Key_Count
};

const std::array<QLatin1String, Environment_Key_Count> Environment_Keys = {
    QLatin1String("Air temp"),   QLatin1String("Air press"),  QLatin1String("Air humid"),
    QLatin1String("Mat temp 1"), QLatin1String("Mat temp 2"), QLatin1String("Mat temp 3"),
};

bool Begins_With(const QString& line, QLatin1String keyword)
{
    return line.startsWith(keyword, Qt::CaseInsensitive);
}

bool Begins_Target_List(const QString& line)
{
    return Begins_With(line, QLatin1String("Targets:")) ||
           Begins_With(line, QLatin1String("Targets :"));
}

// The count is the value rounded half up. Values that are not finite or whose rounding does
// not fit an int are refused, since converting them would be undefined.
bool Target_Count_Of(double value, int& count)
{
    constexpr double Int_Limit = 2147483648.0; // 2^31
    if (!std::isfinite(value) || value < 1.0 || value + 0.5 >= Int_Limit)
        return false;
    count = static_cast<int>(value + 0.5);
    return true;
}

// The index one past the last record of the run that starts at `begin`.
std::size_t Run_End(const std::vector<TRenishawRecord>& records, std::size_t begin)
{
    std::size_t end = begin + 1;
    while (end < records.size() && records[end].Run == records[begin].Run)
        ++end;
    return end;
}

// Arranging a group puts a record at its end when its target is above the last one's, else
// at its front.
bool Joins_End(const TRenishawRecord& record, const TRenishawRecord& last)
{
    return record.Target > last.Target;
}

// The places that the first and the second record of the group [begin, end), of two records
// at least, take once it is arranged: each record put at the front moves the first one on.
std::pair<std::size_t, std::size_t> First_Places(const std::vector<TRenishawRecord>& records,
                                                 std::size_t begin, std::size_t end)
{
    std::size_t fronts = 0;
    const TRenishawRecord* last = &records[begin];
    for (std::size_t k = begin + 1; k < end; ++k)
    {
        if (Joins_End(records[k], *last))
            last = &records[k];
        else
            ++fronts;
    }
    const bool second_at_end = Joins_End(records[begin + 1], records[begin]);
    return {fronts, second_at_end ? fronts + 1 : fronts - 1};
}

bool Has_Deviation(const std::vector<TRenishawRecord>& records, std::size_t begin, std::size_t end)
{
    for (std::size_t k = begin; k < end; ++k)
        if (std::fabs(records[k].Deviation) > Zero_Deviation)
            return true;
    return false;
}

// The parts of a line between blanks, empty ones skipped, as QStringView::split gives them,
// one at a time.
class TParts
{
public:
    explicit TParts(const QString& line) : d_line(line) {}

    bool Next(QStringView& part)
    {
        const int size = d_line.size();
        while (d_at < size && d_line.at(d_at) == QLatin1Char(' '))
            ++d_at;
        if (d_at >= size)
            return false;
        const int begin = d_at;
        while (d_at < size && d_line.at(d_at) != QLatin1Char(' '))
            ++d_at;
        part = QStringView(d_line.constData() + begin, d_at - begin);
        return true;
    }

private:
    const QString& d_line;
    int d_at = 0;
};

// The state of reading one file: the section the reader is in and everything read so far.
class TRenishawReader
{
public:
    explicit TRenishawReader(TLaserFile& file) : d_file(file) {}

    // False when a line failed (the message is in the file's d_error_message).
    bool Read(const QByteArray& content);
    int Target_Count() const { return d_target_count; }
    // The positions read, at most the target count of them.
    std::vector<double> Target_Positions() const;
    const std::vector<TRenishawRecord>& Records() const { return d_records; }
    void Store_Material_Temperature();

private:
    TLineOutcome Read_Line(const QString& line);
    bool Read_Section_Header(const QString& line);
    bool Read_Start_Keyword(const QString& line);
    bool Read_Target_Count(const QString& line);
    void Read_Target_Positions(const QString& line);
    TLineOutcome Read_Run_Record(const QString& line);
    bool Read_Environment_Line(const QString& line);
    bool Read_Environment_Value(const QString& line, double& value);
    void Store_Environment_Value(TEnvironmentKey key, double value);
    bool Fail(const char* message, const QString& text);

    TLaserFile& d_file;
    TRenishawSection d_section = TRenishawSection::None;
    bool d_target_list_started = false;
    bool d_run_data_started = false;
    int d_target_count = 0;
    std::vector<double> d_target_positions;
    std::vector<TRenishawRecord> d_records;
    std::array<double, Material_Sensors> d_material = {};
    std::array<bool, Material_Sensors> d_material_found = {};
};

bool TRenishawReader::Read(const QByteArray& content)
{
    Reserve_Records(d_records, content);
    return Read_Lines(content, [this](const QString& line)
                      { return line.isEmpty() ? TLineOutcome::Next_Line : Read_Line(line); });
}

std::vector<double> TRenishawReader::Target_Positions() const
{
    const std::size_t used =
        std::min(d_target_positions.size(), static_cast<std::size_t>(std::max(d_target_count, 0)));
    return std::vector<double>(d_target_positions.begin(),
                               d_target_positions.begin() + static_cast<std::ptrdiff_t>(used));
}

void TRenishawReader::Store_Material_Temperature()
{
    double sum = 0.0;
    int found = 0;
    for (int sensor = 0; sensor < Material_Sensors; ++sensor)
    {
        if (d_material_found[sensor])
        {
            sum += d_material[sensor];
            ++found;
        }
    }
    if (found > 0)
        d_file.d_material_temperature = sum / static_cast<double>(found);
    d_file.d_environment_given.Material_Temperature = found > 0;
}

// The steps run in this order; a step that owns the line ends the work on it.
TLineOutcome TRenishawReader::Read_Line(const QString& line)
{
    // No keyword begins like a number; most lines of a file do.
    const bool may_be_keyword = !Begins_Like_Number(line);
    if (may_be_keyword && Read_Section_Header(line))
        return TLineOutcome::Next_Line;
    if (may_be_keyword && d_section == TRenishawSection::None && Read_Start_Keyword(line))
        return TLineOutcome::Next_Line;
    if (may_be_keyword &&
        (d_section == TRenishawSection::None || d_section == TRenishawSection::Target_Data) &&
        Begins_With(line, QLatin1String("Target-count")) && !Read_Target_Count(line))
        return TLineOutcome::Failed;
    if (d_section == TRenishawSection::Target_Data)
        Read_Target_Positions(line);
    if (may_be_keyword && Begins_With(line, QLatin1String("EOF::")))
    {
        d_section = TRenishawSection::None;
        return TLineOutcome::Next_Line;
    }
    if (d_section == TRenishawSection::Deviations)
        return Read_Run_Record(line);
    if (d_section == TRenishawSection::Environment && !Read_Environment_Line(line))
        return TLineOutcome::Failed;
    return TLineOutcome::Next_Line;
}

bool TRenishawReader::Read_Section_Header(const QString& line)
{
    if (Begins_With(line, QLatin1String("TARGET DATA::")))
        d_section = TRenishawSection::Target_Data;
    else if (Begins_With(line, QLatin1String("DEVIATIONS::")))
        d_section = TRenishawSection::Deviations;
    else if (Begins_With(line, QLatin1String("ENVIRONMENT::")))
    {
        d_section = TRenishawSection::Environment;
        d_file.d_has_environment = true;
    }
    else
        return false;
    return true;
}

// Outside any section these keywords open the section they belong to by themselves.
bool TRenishawReader::Read_Start_Keyword(const QString& line)
{
    if (Begins_Target_List(line))
    {
        d_section = TRenishawSection::Target_Data;
        d_target_list_started = true;
    }
    else if (Begins_With(line, QLatin1String("Run Target Data")))
    {
        d_section = TRenishawSection::Deviations;
        d_run_data_started = true;
    }
    else
        return false;
    return true;
}

bool TRenishawReader::Read_Target_Count(const QString& line)
{
    const QLatin1Char separator(line.contains(QLatin1Char(':')) ? ':' : '=');
    const QStringList parts = line.split(separator);
    if (parts.size() != 2)
        return Fail(Target_Data_Error, line);
    bool converted = false;
    const double value = parts[1].toDouble(&converted);
    if (!converted || !Target_Count_Of(value, d_target_count))
        return Fail(Target_Data_Error, line);
    return true;
}

// The list runs over as many lines as it needs and ends at the first part that is not a
// number; the "Targets:" line itself carries none.
void TRenishawReader::Read_Target_Positions(const QString& line)
{
    if (!d_target_list_started)
    {
        d_target_list_started = Begins_Target_List(line);
        return;
    }
    TParts parts(line);
    QStringView part;
    while (parts.Next(part))
    {
        bool converted = false;
        const double position = Text_To_Double(part, &converted);
        if (!converted)
        {
            d_section = TRenishawSection::None;
            return;
        }
        d_target_positions.push_back(position);
    }
}

// A record that does not convert ends the data: what came before it is still used.
TLineOutcome TRenishawReader::Read_Run_Record(const QString& line)
{
    if (!d_run_data_started)
    {
        d_run_data_started = Begins_With(line, QLatin1String("Run Target Data"));
        return TLineOutcome::Next_Line;
    }
    TParts parts(line);
    QStringView run, target, deviation;
    if (!parts.Next(run) || !parts.Next(target) || !parts.Next(deviation))
        return TLineOutcome::Next_Line;
    bool run_read = false;
    bool target_read = false;
    bool deviation_read = false;
    TRenishawRecord record;
    record.Run = Text_To_Int(run, &run_read);
    record.Target = Text_To_Int(target, &target_read);
    record.Deviation = Text_To_Double(deviation, &deviation_read);
    if (!run_read || !target_read || !deviation_read)
        return TLineOutcome::Stop_Reading;
    d_records.push_back(record);
    return TLineOutcome::Next_Line;
}

bool TRenishawReader::Read_Environment_Line(const QString& line)
{
    for (int key = 0; key < Environment_Key_Count; ++key)
    {
        if (Begins_With(line, Environment_Keys[key]))
        {
            double value = 0.0;
            if (!Read_Environment_Value(line, value))
                return false;
            Store_Environment_Value(static_cast<TEnvironmentKey>(key), value);
            return true;
        }
    }
    if (Begins_With(line, QLatin1String("Final Data")))
        d_section = TRenishawSection::None;
    return true;
}

// "key: first second ...": the mean of the first two readings.
bool TRenishawReader::Read_Environment_Value(const QString& line, double& value)
{
    const QStringList halves = line.split(QLatin1Char(':'));
    if (halves.size() != 2)
        return Fail(Environment_Error, line);
    const QString& readings = halves[1];
    const QList<QStringView> parts =
        QStringView(readings).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() < 2)
        return Fail(Environment_Error, readings);
    bool first_read = false;
    bool second_read = false;
    const double first = parts[0].toDouble(&first_read);
    const double second = parts[1].toDouble(&second_read);
    if (!first_read || !second_read)
        return Fail(Environment_Error, readings);
    value = (first + second) * 0.5;
    return true;
}

// A material sensor reading of 0 or below means the sensor was not fitted.
void TRenishawReader::Store_Environment_Value(TEnvironmentKey key, double value)
{
    switch (key)
    {
    case Air_Temperature:
        d_file.d_air_temperature = value;
        d_file.d_environment_given.Air_Temperature = value != 0.0;
        break;
    case Air_Pressure:
        d_file.d_air_pressure = value;
        d_file.d_environment_given.Air_Pressure = value != 0.0;
        break;
    case Air_Humidity:
        d_file.d_air_humidity = value;
        d_file.d_environment_given.Air_Humidity = value != 0.0;
        break;
    case Material_1:
    case Material_2:
    case Material_3:
        if (value > 0.0)
        {
            d_material[key - Material_1] = value;
            d_material_found[key - Material_1] = true;
        }
        break;
    case Environment_Key_Count:
        break;
    }
}

bool TRenishawReader::Fail(const char* message, const QString& text)
{
    d_file.d_error_message = QString::fromLatin1(message).arg(text);
    return false;
}

} // namespace

bool TLaserFile::Read_Renishaw_File(const QByteArray& content)
{
    d_has_environment = false;
    d_environment_given = TEnvironmentGiven();
    TRenishawReader reader(*this);
    if (!reader.Read(content))
        return false;
    if (reader.Target_Count() <= 0)
    {
        d_error_message = QString::fromLatin1(Missing_Count_Error);
        return false;
    }
    const std::vector<double> positions = reader.Target_Positions();
    Store_Renishaw_Runs(positions, Order_Renishaw_Records(reader.Records()),
                        Renishaw_Group_Directions(positions, reader.Records()));
    reader.Store_Material_Temperature();
    return true;
}

std::vector<TRenishawRecord>
TLaserFile::Order_Renishaw_Records(const std::vector<TRenishawRecord>& records)
{
    std::vector<TRenishawRecord> arranged;
    arranged.reserve(records.size());
    // A deque keeps putting records at the front of a long falling pass cheap.
    std::deque<TRenishawRecord> group;
    for (std::size_t begin = 0; begin < records.size();)
    {
        const std::size_t end = Run_End(records, begin);
        group.assign(1, records[begin]);
        for (std::size_t k = begin + 1; k < end; ++k)
        {
            if (Joins_End(records[k], group.back()))
                group.push_back(records[k]);
            else
                group.push_front(records[k]);
        }
        arranged.insert(arranged.end(), group.begin(), group.end());
        begin = end;
    }
    return arranged;
}

TRunDirections TLaserFile::Renishaw_Group_Directions(const std::vector<double>& positions,
                                                     const std::vector<TRenishawRecord>& records)
{
    TRunDirections directions;
    for (std::size_t begin = 0; begin < records.size();)
    {
        const std::size_t end = Run_End(records, begin);
        bool falling = false;
        if (end - begin >= 2)
        {
            const auto [first, second] = First_Places(records, begin, end);
            falling = first < positions.size() && second < positions.size() &&
                      positions[second] < positions[first];
        }
        directions.push_back(falling ? TRunDirection::Down : TRunDirection::Up);
        begin = end;
    }
    return directions;
}

// Only complete runs are kept: one point per target position, and not all of them zero.
// The x values come from the positions by place, not from the target numbers. Arranging
// keeps the groups where they were, so group k of the arranged records is group k of the file.
void TLaserFile::Store_Renishaw_Runs(const std::vector<double>& positions,
                                     const std::vector<TRenishawRecord>& records,
                                     const TRunDirections& group_directions)
{
    Clear_Sections();
    for (std::size_t begin = 0, group = 0; begin < records.size(); ++group)
    {
        const std::size_t end = Run_End(records, begin);
        if (end - begin == positions.size() && Has_Deviation(records, begin, end))
        {
            TLaserRun run;
            run.reserve(positions.size());
            for (std::size_t k = begin; k < end; ++k)
                run.emplace_back(positions[k - begin], records[k].Deviation);
            d_data_section_1.push_back(std::move(run));
            VANTREL_CHECK(group < group_directions.size());
            d_directions_section_1.push_back(group_directions[group]);
        }
        begin = end;
    }
}
