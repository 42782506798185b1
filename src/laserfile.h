#ifndef VANTREL_SRC_LASERFILE_H
#define VANTREL_SRC_LASERFILE_H

#include "core/vector2.h"
#include "src/units.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// The kinds of file the viewer reads; the values are stable.
enum TLaserFileType : std::int32_t
{
    Unknown_Type = 0,
    Renishaw_RTL = 1,
    Renishaw_RTA = 2,
    Renishaw_STx = 3,
    API_XD_POS = 4,
    API_XD_STR = 5,
    API_XD_ANG = 6
};

// What a kind measures. Files of one family measure the same quantity, whichever system wrote
// them, and so can be compared with one another.
enum class TMeasurementFamily
{
    None,         // no file loaded
    Linear,       // RTL, POS
    Straightness, // STx, STR
    Angular       // RTA, ANG
};
TMeasurementFamily Measurement_Family(TLaserFileType type);

// One pass over the targets, points in ascending target order (x = position, y = value).
using TLaserRun = std::vector<TVector2>;
// The runs of one measured quantity, in the order the file gives them.
using TLaserSection = std::vector<TLaserRun>;

// The runs of a section matched by target: which point of which run belongs to each target.
struct TTargetMatch
{
    // Point `Point` of run `Run` of the section.
    struct TRunPoint
    {
        int Run = 0;
        int Point = 0;
    };
    // The targets' positions, in their order.
    std::vector<double> Positions;
    // The points of target t are Points[First[t]] up to Points[First[t + 1]], in run order,
    // one per run at most; First ends with Points.size().
    std::vector<std::size_t> First;
    std::vector<TRunPoint> Points;
};

// The way the machine moved while a run was measured, whatever order the run is stored in.
enum class TRunDirection : std::int8_t
{
    Up,  // towards higher positions
    Down // towards lower positions
};
// One direction per run of a section, in the same order.
using TRunDirections = std::vector<TRunDirection>;

// Which environment values the file gave. One it did not give keeps its default, and is no
// measurement: an API XD scale file has no humidity, and a Renishaw sensor that reads zero is
// not fitted.
struct TEnvironmentGiven
{
    bool Air_Temperature = false;
    bool Air_Pressure = false;
    bool Air_Humidity = false;
    bool Material_Temperature = false;
};

// One record of a Renishaw run: the deviation measured at one target in one run.
struct TRenishawRecord
{
    int Run = 0;
    int Target = 0;
    double Deviation = 0.0;
};

// One data line of an API XD file: lengths in millimetres, angles in millimetres per metre.
// Each reader sets the position, the direction and its own values; the others stay 0.0.
struct TXdPoint
{
    double Position = 0.0;
    std::int32_t Direction = 0; // 0 rising, 1 falling
    double Deviation = 0.0;
    double XX = 0.0;
    double YY = 0.0;
    double AngA = 0.0;
    double AngB = 0.0;
    double AngC = 0.0;
};

// The in-memory model of one loaded laser data file. Section numbers are zero-based.
class TLaserFile
{
public:
    TLaserFile();

    // Back to the empty state; the environment flag and the last error stay.
    void Clear();
    // Reads and parses the whole file; on failure d_error_message says why.
    bool Load(const QString& path);
    // What Load does with the content it read: the kind from the path, then its reader.
    bool Load_Content(const QString& path, const QByteArray& content);
    // The kind of file, chosen by the path's extension alone.
    TLaserFileType Detect_File_Type(const QString& path, const QByteArray& content) const;

    // The file's name without its folder ('/' is the only separator).
    QString File_Name() const;
    int Run_Count(int section) const;
    // The runs of the section; none for a section the model does not have.
    const TLaserSection& Runs(int section) const;
    QString Type_Description() const;
    QString Section_Label(int section) const;
    // Run `index` of the section, or for a negative index the mean of its runs at each target
    // of Match_Targets, at the target's position.
    TLaserRun Section_Data(int section, int index) const;
    // The runs of the section matched by target. When every run has the same positions in the
    // same order, target k is point k of every run. Otherwise the targets are the distinct
    // positions of all runs, ordered in the direction of the first longest run (rising when
    // its last position is above its first, else falling; rising when no run has two points);
    // a run with two points at one position counts there with the first of them.
    TTargetMatch Match_Targets(int section) const;
    // Whether every run of the section has the positions of the first, in the same order, so
    // that target k is point k of every run.
    bool Shares_Positions(int section) const;
    // The direction of run `index` of the section; a run stored without one counts as up.
    TRunDirection Run_Direction(int section, int index) const;
    // The unit of the deviations of every section. The API XD readers convert lengths to
    // millimetres and angles to millimetres per metre; Renishaw files do not say, so theirs is
    // d_chosen_deviation_unit, or by default micrometres (per metre for angular data).
    TDeviationUnit Deviation_Unit() const;
    // Whether the loaded kind's deviations may be labelled with the unit: only a Renishaw
    // kind, lengths for linear and straightness data, angles for angular data.
    bool Takes_Deviation_Unit(TDeviationUnit unit) const;

    // Renishaw linear, angular and straightness text; false with d_error_message on failure.
    bool Read_Renishaw_File(const QByteArray& content);
    // Groups consecutive records of one run number. A record joins the end of its group when
    // its target is above the group's last one and the front otherwise, so a falling pass
    // comes out rising.
    static std::vector<TRenishawRecord>
    Order_Renishaw_Records(const std::vector<TRenishawRecord>& records);
    // One direction per group of consecutive records of one run number, in file order: down
    // when the position the group's second record gets once arranged (the position of its
    // place, as Store_Renishaw_Runs gives it) is below the one its first record gets, else up.
    static TRunDirections Renishaw_Group_Directions(const std::vector<double>& positions,
                                                    const std::vector<TRenishawRecord>& records);
    // Empties the sections and stores every complete run of the arranged records in section 1,
    // with the direction of its group.
    void Store_Renishaw_Runs(const std::vector<double>& positions,
                             const std::vector<TRenishawRecord>& records,
                             const TRunDirections& group_directions);

    // The API XD readers take the whole file content; on failure they leave the message in
    // d_error_message and return false.
    bool Read_XD_Scale_File(const QByteArray& content);
    bool Read_XD_Straightness_File(const QByteArray& content);
    bool Read_XD_Angular_File(const QByteArray& content);
    // The points with every falling pass reversed, so that each pass rises. Taken by value:
    // a caller that moves its points in spares a copy of them.
    static std::vector<TXdPoint> Order_XD_Points(std::vector<TXdPoint> points);
    // Each empties the three sections and stores one run per pass of ordered points.
    void Store_XD_Scale_Runs(const std::vector<TXdPoint>& points);
    void Store_XD_Straightness_Runs(const std::vector<TXdPoint>& points);
    void Store_XD_Angular_Runs(const std::vector<TXdPoint>& points);

    double d_air_temperature;
    double d_air_pressure;
    double d_air_humidity;
    double d_material_temperature;
    TLaserSection d_data_section_1;
    TLaserSection d_data_section_2;
    TLaserSection d_data_section_3;
    // The direction of each run of the section of the same number.
    TRunDirections d_directions_section_1;
    TRunDirections d_directions_section_2;
    TRunDirections d_directions_section_3;
    QString d_file_name;
    TLaserFileType d_file_type;
    // The unit a user chose for a Renishaw file's deviations: a label, the values are not
    // converted. Nothing for the kind's usual unit.
    std::optional<TDeviationUnit> d_chosen_deviation_unit;
    bool d_has_environment = false;
    TEnvironmentGiven d_environment_given;
    QString d_error_message;

private:
    // Empties the three sections and their directions.
    void Clear_Sections();
    const TLaserSection* Section(int section) const;
    const TRunDirections* Directions(int section) const;
    // The parser of the kind; false with d_error_message set when it fails.
    bool Read_By_Type(TLaserFileType type, const QByteArray& content);
};

#endif
