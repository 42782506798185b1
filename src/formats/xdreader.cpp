#include "src/formats/xdformat.h"

#include "src/formats/numbertext.h"
#include "src/formats/textlines.h"
#include "src/formats/wholefile.h"

#include <QList>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <optional>

namespace
{

constexpr double Millimetres_Per_Inch = 25.4;
// A pass goes on while each point moves at least this far on, in millimetres.
constexpr double Pass_Step = 0.5;

struct TAngleUnit
{
    QLatin1String Name;
    double Factor; // to millimetres per metre
};

// Searched in this order: the first one named in the unit text decides.
const TAngleUnit Angle_Units[] = {
    {QLatin1String("arc sec"), Arc_Second_In_Millimetres_Per_Metre},
    {QLatin1String("in/ft"), 83.33333333333333},
    {QLatin1String("mm/m"), 1.0},
};

struct TEnvironmentKey
{
    QLatin1String Key;
    double TLaserFile::*Field;
    bool TEnvironmentGiven::*Given;
    double Divisor; // from the file's unit to the model's
};

// Air pressure comes in millimetres of mercury: 760 / 101.325 of them make one kPa.
const TEnvironmentKey Environment_Keys[] = {
    {QLatin1String("Average Air Temperature"), &TLaserFile::d_air_temperature,
     &TEnvironmentGiven::Air_Temperature, 1.0},
    {QLatin1String("Average Material"), &TLaserFile::d_material_temperature,
     &TEnvironmentGiven::Material_Temperature, 1.0},
    {QLatin1String("Average Air Pressure"), &TLaserFile::d_air_pressure,
     &TEnvironmentGiven::Air_Pressure, 7.500616827042},
};

const char* Text_Of(TXdUnitsMessage message)
{
    return message == TXdUnitsMessage::Unknown_Units ? "unknown units: '%1'"
                                                     : "unexpected text: '%1'";
}

// What a number after a colon may be. A position must be finite: a huge number in an inch
// file would overflow. A sensor's reading is stored as the file gives it, "nan" and "inf"
// included, so that one odd reading does not hide the positions.
enum class TNumberRange
{
    Finite,
    Any
};

// The number after the one ':' of a line such as "IniPos: 12.5", times the factor; nothing
// when the line has not exactly two parts, the text is no number, or the result lies outside
// the range.
std::optional<double> Number_After_Colon(const QString& line, double factor, TNumberRange range)
{
    const QList<QStringView> parts = QStringView(line).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (parts.size() != 2)
        return std::nullopt;
    bool ok = false;
    const double value = parts[1].toDouble(&ok) * factor;
    if (!ok || (range == TNumberRange::Finite && !std::isfinite(value)))
        return std::nullopt;
    return value;
}

int Next_Direction(int direction, double step)
{
    if (direction == 0)
        return step >= Pass_Step ? 0 : 1;
    return step < -Pass_Step ? 1 : 0;
}

// The end of the pass that begins at `begin`: the first point of another direction.
template <typename TIterator>
TIterator Pass_End(TIterator begin, TIterator end)
{
    const std::int32_t direction = begin->Direction;
    return std::find_if(
        begin, end, [direction](const TXdPoint& point) { return point.Direction != direction; });
}

// Empties the three sections and stores one run per pass of the ordered points: value k of
// the points goes to section k.
void Store_Runs(TLaserFile& file, const std::vector<TXdPoint>& points,
                const std::vector<TXdValue>& values)
{
    std::array<TLaserSection, 3> sections;
    TRunDirections directions;
    VANTREL_CHECK(values.size() <= sections.size());
    for (auto begin = points.begin(); begin != points.end();)
    {
        const auto end = Pass_End(begin, points.end());
        directions.push_back(begin->Direction == 0 ? TRunDirection::Up : TRunDirection::Down);
        for (std::size_t k = 0; k < values.size(); ++k)
        {
            TLaserRun run;
            run.reserve(static_cast<std::size_t>(end - begin));
            for (auto point = begin; point != end; ++point)
                run.emplace_back(point->Position, (*point).*values[k].Member);
            sections[k].push_back(std::move(run));
        }
        begin = end;
    }
    file.d_data_section_1 = std::move(sections[0]);
    file.d_data_section_2 = std::move(sections[1]);
    file.d_data_section_3 = std::move(sections[2]);
    // Every section used holds one run per pass, so they share the passes' directions.
    const auto used = [&](std::size_t k)
    { return k < values.size() ? directions : TRunDirections(); };
    file.d_directions_section_1 = used(0);
    file.d_directions_section_2 = used(1);
    file.d_directions_section_3 = used(2);
}

// Searched for anywhere in a line, letter case ignored.
std::vector<QStringMatcher> Header_Words(std::initializer_list<const char*> words)
{
    std::vector<QStringMatcher> matchers;
    for (const char* word : words)
        matchers.emplace_back(QString::fromLatin1(word), Qt::CaseInsensitive);
    return matchers;
}

bool Is_Field_Character(QChar character)
{
    return Is_Ascii_Digit(character) || character == QLatin1Char('.');
}

// Reads one API XD file into the model, the format deciding what differs.
class TXdReader
{
public:
    TXdReader(TLaserFile& file, const TXdFormat& format) : d_file(file), d_format(format) {}

    bool Read(const QByteArray& content);

private:
    enum class TBlock
    {
        Outside,
        Data,
        Environment
    };

    TLineOutcome Handle_Line(const QString& line);
    bool Is_Data_Header(QStringView line) const;
    TLineOutcome Read_Initial_Position(const QString& line);
    TLineOutcome Read_Units(const QString& line);
    TLineOutcome End_Data_Block();
    TLineOutcome Read_Point(const QString& line, const TXdFields& fields);
    TLineOutcome Read_Environment_Line(const QString& line);
    TLineOutcome Fail(const char* text, const QString& quoted);
    TLineOutcome Fail(const char* text);

    TLaserFile& d_file;
    const TXdFormat& d_format;
    double d_length_factor = 0.0; // 0.0 until a units line has been read
    double d_angle_factor = 0.0;
    double d_previous_position = 0.0;
    std::int32_t d_direction = 0;
    TBlock d_block = TBlock::Outside;
    std::vector<TXdPoint> d_points;
};

bool TXdReader::Read(const QByteArray& content)
{
    d_file.d_has_environment = false;
    d_file.d_environment_given = TEnvironmentGiven();
    Reserve_Records(d_points, content);
    if (!Read_Lines(content, [this](const QString& line) { return Handle_Line(line); }))
        return false;
    (d_file.*d_format.Store)(TLaserFile::Order_XD_Points(std::move(d_points)));
    return true;
}

TLineOutcome TXdReader::Handle_Line(const QString& line)
{
    if (line.isEmpty())
    {
        d_block = TBlock::Outside;
        return TLineOutcome::Next_Line;
    }
    // No keyword begins like a number; most lines of a file do.
    if (!Begins_Like_Number(line))
    {
        if (line.startsWith(QLatin1String("IniPos:"), d_format.Initial_Position_Case))
            return Read_Initial_Position(line);
        if (line.startsWith(QLatin1String("Unit:")) || line.startsWith(QLatin1String("Units:")))
            return Read_Units(line);
        if (d_format.Has_Environment &&
            line.startsWith(QLatin1String("<Environment>"), Qt::CaseInsensitive))
        {
            d_block = TBlock::Environment;
            d_file.d_has_environment = true;
            return TLineOutcome::Next_Line;
        }
    }
    TXdFields fields;
    const bool data = d_block == TBlock::Data && Match_Data_Line(d_format, line, fields);
    // The header's words are letters only, so none of them lies within a data line's fields:
    // only the rest of such a line is searched.
    if (Is_Data_Header(QStringView(line).mid(data ? fields[0].size() : 0)))
    {
        d_block = TBlock::Data;
        return TLineOutcome::Next_Line;
    }
    switch (d_block)
    {
    case TBlock::Data:
        return data ? Read_Point(line, fields) : End_Data_Block();
    case TBlock::Environment:
        return Read_Environment_Line(line);
    case TBlock::Outside:
        break;
    }
    return TLineOutcome::Next_Line;
}

bool TXdReader::Is_Data_Header(QStringView line) const
{
    return std::all_of(d_format.Header_Words.begin(), d_format.Header_Words.end(),
                       [&line](const QStringMatcher& word) { return word.indexIn(line) >= 0; });
}

TLineOutcome TXdReader::Read_Initial_Position(const QString& line)
{
    if (d_length_factor == 0.0)
        return Fail("measurement units unknown");
    const std::optional<double> position =
        Number_After_Colon(line, d_length_factor, TNumberRange::Finite);
    if (!position)
        return Fail("unexpected text: '%1'", line);
    d_previous_position = *position;
    return TLineOutcome::Next_Line;
}

TLineOutcome TXdReader::Read_Units(const QString& line)
{
    const QList<QStringView> parts = QStringView(line).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (parts.size() != 2)
        return Fail(Text_Of(d_format.Units_Split_Message), line);
    const QString unit = parts[1].toString().simplified();
    if (unit.startsWith(QLatin1String("mm"), Qt::CaseInsensitive))
        d_length_factor = 1.0;
    else if (unit.startsWith(QLatin1String("inch"), Qt::CaseInsensitive))
        d_length_factor = Millimetres_Per_Inch;
    else
        return Fail(Text_Of(d_format.Length_Unit_Message), unit);
    if (!d_format.Has_Angle_Unit)
        return TLineOutcome::Next_Line;
    const auto angle = std::find_if(std::begin(Angle_Units), std::end(Angle_Units),
                                    [&unit](const TAngleUnit& known)
                                    { return unit.contains(known.Name, Qt::CaseInsensitive); });
    if (angle == std::end(Angle_Units))
        return Fail(Text_Of(TXdUnitsMessage::Unknown_Units), unit);
    d_angle_factor = angle->Factor;
    return TLineOutcome::Next_Line;
}

TLineOutcome TXdReader::End_Data_Block()
{
    if (d_format.Mismatch_Ends_Reading)
        return TLineOutcome::Stop_Reading;
    d_block = TBlock::Outside;
    return TLineOutcome::Next_Line;
}

TLineOutcome TXdReader::Read_Point(const QString& line, const TXdFields& fields)
{
    if (d_length_factor == 0.0)
        return Fail("units not found prior to data: '%1'", line);
    // The fields hold digits and points only, so they are finite.
    TXdPoint point;
    point.Position = Xd_Field_Value(fields[1]) * d_length_factor;
    for (const TXdValue& value : d_format.Values)
        point.*value.Member = Xd_Field_Value(fields[value.Field]) *
                              (value.Is_Angle ? d_angle_factor : d_length_factor);
    // The first point of the file has no earlier one to be compared with.
    if (!d_points.empty())
        d_direction = Next_Direction(d_direction, point.Position - d_previous_position);
    point.Direction = d_direction;
    d_points.push_back(point);
    d_previous_position = point.Position;
    return TLineOutcome::Next_Line;
}

TLineOutcome TXdReader::Read_Environment_Line(const QString& line)
{
    for (const TEnvironmentKey& key : Environment_Keys)
    {
        if (!line.startsWith(key.Key, Qt::CaseInsensitive))
            continue;
        const std::optional<double> value = Number_After_Colon(line, 1.0, TNumberRange::Any);
        if (!value)
            return Fail("unexpected text: '%1'", line);
        d_file.*key.Field = *value / key.Divisor;
        d_file.d_environment_given.*key.Given = true;
        break;
    }
    return TLineOutcome::Next_Line;
}

TLineOutcome TXdReader::Fail(const char* text, const QString& quoted)
{
    d_file.d_error_message =
        d_format.Prefix + QLatin1Char(' ') + QString::fromLatin1(text).arg(quoted);
    return TLineOutcome::Failed;
}

TLineOutcome TXdReader::Fail(const char* text)
{
    d_file.d_error_message = d_format.Prefix + QLatin1Char(' ') + QLatin1String(text);
    return TLineOutcome::Failed;
}

} // namespace

const TXdFormat& Xd_Scale_Format()
{
    static const TXdFormat format{QLatin1String("Scale file"),
                                  {12, 16, 10},
                                  Header_Words({"Position", "AirTemp", "MatTemp"}),
                                  Qt::CaseInsensitive, // "IniPos:"
                                  false, // a line that is no data line ends the block only
                                  true,  // environment block
                                  false, // angle unit
                                  TXdUnitsMessage::Unexpected_Text, // units line not of two parts
                                  TXdUnitsMessage::Unknown_Units,   // no length unit
                                  {{3, &TXdPoint::Deviation, false}},
                                  &TLaserFile::Store_XD_Scale_Runs};
    return format;
}

const TXdFormat& Xd_Straightness_Format()
{
    static const TXdFormat format{QLatin1String("Straightness file"),
                                  {12, 16, 16},
                                  Header_Words({"Position", "XX", "YY"}),
                                  Qt::CaseSensitive, // "IniPos:"
                                  true,              // a line that is no data line ends the reading
                                  false,             // environment block
                                  false,             // angle unit
                                  TXdUnitsMessage::Unknown_Units,   // units line not of two parts
                                  TXdUnitsMessage::Unexpected_Text, // no length unit
                                  {{2, &TXdPoint::XX, false}, {3, &TXdPoint::YY, false}},
                                  &TLaserFile::Store_XD_Straightness_Runs};
    return format;
}

const TXdFormat& Xd_Angular_Format()
{
    static const TXdFormat format{
        QLatin1String("Angular file"),
        {12, 16, 16, 16},
        Header_Words({"Position", "AngA", "AngB", "AngC"}),
        Qt::CaseSensitive,                // "IniPos:"
        true,                             // a line that is no data line ends the reading
        false,                            // environment block
        true,                             // angle unit
        TXdUnitsMessage::Unexpected_Text, // units line not of two parts
        TXdUnitsMessage::Unexpected_Text, // no length unit
        {{2, &TXdPoint::AngA, true}, {3, &TXdPoint::AngB, true}, {4, &TXdPoint::AngC, true}},
        &TLaserFile::Store_XD_Angular_Runs};
    return format;
}

// Fields before the last must end at a blank; the last one is cut at its width. A minus
// sign, a digit or point and a blank never stand for one another, so the first way the
// fields fit the line is the only one.
bool Match_Data_Line(const TXdFormat& format, const QString& line, TXdFields& fields)
{
    const std::size_t count = format.Field_Widths.size();
    VANTREL_CHECK(count >= 1 && count <= Most_Xd_Fields);
    const QChar* const text = line.constData();
    const int size = line.size();
    int at = 0;
    for (std::size_t k = 0; k < count; ++k)
    {
        if (k > 0)
        {
            if (at >= size || text[at] != QLatin1Char(' '))
                return false;
            ++at;
        }
        const int begin = at;
        if (at < size && text[at] == QLatin1Char('-'))
            ++at;
        const int digits = at;
        while (at < size && Is_Field_Character(text[at]))
            ++at;
        const int width = format.Field_Widths[k];
        if (at == digits || (at - digits > width && k + 1 < count))
            return false;
        at = std::min(at, digits + width);
        fields[k + 1] = QStringView(text + begin, at - begin);
    }
    fields[0] = QStringView(text, at);
    return true;
}

double Xd_Field_Value(QStringView field)
{
    if (const std::optional<double> value = Plain_Decimal(field))
        return *value;
    // Longer fields, and those with no digit or two points (which read as 0). A field is a
    // minus sign and at most this many digits and points.
    constexpr int Longest_Field = 32;
    VANTREL_CHECK(field.size() <= Longest_Field);
    std::array<char, Longest_Field> text;
    for (int k = 0; k < field.size(); ++k)
        text[k] = field.at(k).toLatin1();
    double value = 0.0;
    const char* const end = text.data() + field.size();
    const std::from_chars_result result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end ? value : 0.0;
}

bool TLaserFile::Read_XD_Scale_File(const QByteArray& content)
{
    return TXdReader(*this, Xd_Scale_Format()).Read(content);
}

bool TLaserFile::Read_XD_Straightness_File(const QByteArray& content)
{
    return TXdReader(*this, Xd_Straightness_Format()).Read(content);
}

bool TLaserFile::Read_XD_Angular_File(const QByteArray& content)
{
    return TXdReader(*this, Xd_Angular_Format()).Read(content);
}

std::vector<TXdPoint> TLaserFile::Order_XD_Points(std::vector<TXdPoint> points)
{
    for (auto begin = points.begin(); begin != points.end();)
    {
        const auto end = Pass_End(begin, points.end());
        if (begin->Direction != 0)
            std::reverse(begin, end);
        begin = end;
    }
    return points;
}

void TLaserFile::Store_XD_Scale_Runs(const std::vector<TXdPoint>& points)
{
    Store_Runs(*this, points, Xd_Scale_Format().Values);
}

void TLaserFile::Store_XD_Straightness_Runs(const std::vector<TXdPoint>& points)
{
    Store_Runs(*this, points, Xd_Straightness_Format().Values);
}

void TLaserFile::Store_XD_Angular_Runs(const std::vector<TXdPoint>& points)
{
    Store_Runs(*this, points, Xd_Angular_Format().Values);
}
