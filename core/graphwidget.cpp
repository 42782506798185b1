#include "core/graphwidget.h"

#include <QFontMetrics>

#include <algorithm>
#include <array>
#include <cmath>

namespace
{

// Narrows [Low, High] about its own centre to MaxSpan when it is wider. Scaling about zero
// would push data that lies far from zero out of the view.
void LimitRange(double& Low, double& High, double MaxSpan)
{
    if (High - Low > MaxSpan)
    {
        const double Centre = (Low + High) * 0.5;
        Low = Centre - MaxSpan * 0.5;
        High = Centre + MaxSpan * 0.5;
    }
}

// Widens [Low, High] to a hundred-thousandth when it is narrower, so the scale stays finite.
void WidenTinyRange(double& Low, double& High)
{
    if (High - Low < 1e-5)
    {
        High += 5e-6;
        Low -= 5e-6;
    }
}

} // namespace

TGraphWidget::TGraphWidget(QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), d_VerticalTitle(QStringLiteral("V Title")),
      d_HorizontalTitle(QStringLiteral("H Title")), d_Title(QStringLiteral("Sample Graph")),
      d_VerticalFormat(QStringLiteral("%3.4lf")), d_HorizontalFormat(QStringLiteral("%3.4lf")),
      d_FontHeight(QFontMetrics(font()).height()), d_Coordinates(CoordinatesText(0.0, 0.0))
{
    // Mouse moves arrive without a button held, for the coordinate read-out.
    setAttribute(Qt::WA_MouseTracking);
    // Focus by click only, so that the keys work without a stop in the tab chain.
    setFocusPolicy(Qt::ClickFocus);
    setSizePolicy(QSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding,
                              QSizePolicy::DefaultType));
}

TGraphWidget::~TGraphWidget() = default;

int TGraphWidget::AddDataSet(const QColor& Color, int Style)
{
    return AddDataSet(Color, Style, QString());
}

int TGraphWidget::AddDataSet(const QColor& Color, int Style, const QString& Name)
{
    TGraphDataSet Set;
    Set.Color = Color;
    Set.Style = Style;
    Set.Name = Name;
    d_DataSets.push_back(Set);
    return static_cast<int>(d_DataSets.size()) - 1;
}

bool TGraphWidget::SetDataSetName(int Set, const QString& Name)
{
    VANTREL_CHECK(Set >= 0);
    VANTREL_CHECK(Set < static_cast<int>(d_DataSets.size()));
    d_DataSets[Set].Name = Name;
    return true;
}

bool TGraphWidget::AddPoint(int Set, const TVector2& Point)
{
    VANTREL_CHECK(Set >= 0);
    VANTREL_CHECK(Set < static_cast<int>(d_DataSets.size()));
    d_DataSets[Set].Points.push_back(Point);
    return true;
}

// The read-out goes back to its first text: it told of data that are gone.
void TGraphWidget::ClearDataSets()
{
    d_DataSets.clear();
    d_Coordinates = CoordinatesText(0.0, 0.0);
}

bool TGraphWidget::RemoveDataSet(int Offset)
{
    VANTREL_CHECK(Offset >= 0);
    VANTREL_CHECK(Offset < static_cast<int>(d_DataSets.size()));
    d_DataSets.erase(d_DataSets.begin() + Offset);
    return true;
}

int TGraphWidget::DataSetCount() const
{
    return static_cast<int>(d_DataSets.size());
}

int TGraphWidget::PointCount(int Set) const
{
    VANTREL_CHECK(Set >= 0);
    VANTREL_CHECK(Set < static_cast<int>(d_DataSets.size()));
    return static_cast<int>(d_DataSets[Set].Points.size());
}

TVector2 TGraphWidget::GetPoint(int Set, int Offset) const
{
    VANTREL_CHECK(Set >= 0);
    VANTREL_CHECK(Set < static_cast<int>(d_DataSets.size()));
    VANTREL_CHECK(Offset >= 0);
    VANTREL_CHECK(Offset < static_cast<int>(d_DataSets[Set].Points.size()));
    return d_DataSets[Set].Points[Offset];
}

bool TGraphWidget::SetPoint(int Set, int Offset, const TVector2& Point)
{
    VANTREL_CHECK(Set >= 0);
    VANTREL_CHECK(Set < static_cast<int>(d_DataSets.size()));
    VANTREL_CHECK(Offset >= 0);
    VANTREL_CHECK(Offset < static_cast<int>(d_DataSets[Set].Points.size()));
    d_DataSets[Set].Points[Offset] = Point;
    return true;
}

bool TGraphWidget::RemovePoint(int Set, int Offset)
{
    VANTREL_CHECK(Set >= 0);
    VANTREL_CHECK(Set < static_cast<int>(d_DataSets.size()));
    VANTREL_CHECK(Offset >= 0);
    VANTREL_CHECK(Offset < static_cast<int>(d_DataSets[Set].Points.size()));
    std::vector<TVector2>& Points = d_DataSets[Set].Points;
    Points.erase(Points.begin() + Offset);
    return true;
}

void TGraphWidget::SetTitle(const QString& Title)
{
    d_Title = Title;
}

void TGraphWidget::SetHorizontalTitle(const QString& Title)
{
    d_HorizontalTitle = Title;
}

void TGraphWidget::SetVerticalTitle(const QString& Title)
{
    d_VerticalTitle = Title;
}

void TGraphWidget::SetMinimumHalfRange(double Value)
{
    d_MinimumHalfRange = Value > 0.0 ? Value : 5e-5;
}

void TGraphWidget::SetEqualScale(bool Equal)
{
    d_EqualScale = Equal;
}

void TGraphWidget::SetShowCoordinates(bool Show)
{
    d_ShowCoordinates = Show;
}

void TGraphWidget::SetPresentation(bool Presentation)
{
    d_Presentation = Presentation;
}

bool TGraphWidget::Presentation() const
{
    return d_Presentation;
}

void TGraphWidget::UpdateGraph()
{
    // Before the first resize there is no layout to fit into.
    if (!d_WidgetRect.isValid())
        return;
    RenderFitted();
    update();
}

bool TGraphWidget::GetIndexedColor(int Index, int& Red, int& Green, int& Blue)
{
    // Six hues, each in sixteen intensities; the last index is black.
    static const std::array<std::array<int, 3>, 6> Hues = {{
        {1, 0, 0},
        {0, 1, 0},
        {0, 0, 1},
        {1, 1, 0},
        {0, 1, 1},
        {1, 0, 1},
    }};
    static const std::array<int, 17> Intensities = {255, 128, 192, 64,  160, 224, 96, 32, 144,
                                                    112, 176, 80,  208, 48,  240, 16, 0};
    if (Index < 0 || Index > 96)
    {
        Red = Green = Blue = 0;
        return false;
    }
    const std::array<int, 3>& Hue = Hues[Index % 6];
    const int Intensity = Intensities[Index / 6];
    Red = Hue[0] * Intensity;
    // Full green is much brighter than full red or blue on white paper.
    Green = Hue[1] * Intensity / 2;
    Blue = Hue[2] * Intensity;
    return true;
}

void TGraphWidget::FitToData()
{
    bool Found = false;
    double XMin = -5e-6, XMax = 5e-6, YMin = -5e-6, YMax = 5e-6;
    for (const TGraphDataSet& Set : d_DataSets)
    {
        for (const TVector2& Point : Set.Points)
        {
            // A point that is not a finite number has no place on the axes.
            if (!std::isfinite(Point.x) || !std::isfinite(Point.y))
                continue;
            if (!Found)
            {
                XMin = XMax = Point.x;
                YMin = YMax = Point.y;
                Found = true;
                continue;
            }
            XMin = std::min(XMin, Point.x);
            XMax = std::max(XMax, Point.x);
            YMin = std::min(YMin, Point.y);
            YMax = std::max(YMax, Point.y);
        }
    }

    // Data beyond the widest range a map can show stay outside the view, so that the spans
    // and margins below remain finite.
    TGraphTransform::LimitToRange(XMin, XMax);
    TGraphTransform::LimitToRange(YMin, YMax);

    // The vertical range always shows the zero line.
    if (YMin > -d_MinimumHalfRange)
        YMin = -d_MinimumHalfRange;
    if (YMax < d_MinimumHalfRange)
        YMax = d_MinimumHalfRange;
    WidenTinyRange(XMin, XMax);
    if (d_EqualScale)
    {
        const double Centre = (XMin + XMax) * 0.5;
        const double Height = std::abs(d_PlotRect.top() - d_PlotRect.bottom());
        const double Ratio =
            Height == 0.0 ? 1.0 : std::abs(d_PlotRect.right() - d_PlotRect.left()) / Height;
        XMin = Centre + Ratio * YMin;
        XMax = Centre + Ratio * YMax;
    }
    WidenTinyRange(YMin, YMax);

    d_XSpan = XMax - XMin;
    d_YSpan = YMax - YMin;
    if (d_VerticalLabelMode == 1)
    {
        YMin -= d_YSpan / 50;
        YMax += d_YSpan / 50;
    }
    if (d_HorizontalLabelMode == 1)
    {
        XMin -= d_XSpan / 50;
        XMax += d_XSpan / 50;
    }
    d_Transform = TGraphTransform::Fitting(d_PlotRect, XMin, XMax, YMin, YMax);
}

// The rectangle between the two corners, whichever way round they are. QRect::normalized
// keeps a right one less than the left as it is, and so a band dragged one pixel back
// would mirror the axis.
QRect TGraphWidget::Normalised(const QRect& Rect)
{
    return QRect(QPoint(std::min(Rect.left(), Rect.right()), std::min(Rect.top(), Rect.bottom())),
                 QPoint(std::max(Rect.left(), Rect.right()), std::max(Rect.top(), Rect.bottom())));
}

void TGraphWidget::ZoomToRect(const QRect& Rect)
{
    const QRect Zoom = Normalised(Rect);
    ZoomToRange(d_Transform.InverseX(Zoom.left()), d_Transform.InverseX(Zoom.right()),
                d_Transform.InverseY(Zoom.bottom()), d_Transform.InverseY(Zoom.top()));
}

// The plot shows the ranges, held within the zoom-out limit and at least a
// hundred-thousandth wide.
void TGraphWidget::ZoomToRange(double Left, double Right, double Bottom, double Top)
{
    LimitRange(Left, Right, ZoomOutLimit * d_XSpan);
    LimitRange(Bottom, Top, ZoomOutLimit * d_YSpan);
    WidenTinyRange(Left, Right);
    WidenTinyRange(Bottom, Top);
    d_Transform = TGraphTransform::Fitting(d_PlotRect, Left, Right, Bottom, Top);
}
