// The presentation style of the graph: ticks at round values under a light grid, and a
// legend of the named data sets beside the plot.

#include "core/graphticks.h"
#include "core/graphwidget.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace
{

// At most this many labels an axis, fewer where they do not fit.
const int Most_Labels = 10;
// Light enough to read the curves over it, darker than white paper in print.
const QRgb Grid_Colour = qRgb(224, 224, 224);

// Round ticks of [Low, High], fewer when each tick's extent (its label and the room about
// it, in pixels) times their count exceeds the axis's Length. Each try asks for fewer.
template <typename TExtent>
TAxisTicks FittingTicks(double Low, double High, int Length, TExtent Extent)
{
    for (int Most = Most_Labels;;)
    {
        TAxisTicks Ticks = RoundTicks(Low, High, Most);
        const int Each = std::max(Extent(Ticks), 1);
        if (static_cast<long long>(Ticks.Values.size()) * Each <= Length || Most == 1)
            return Ticks;
        Most = std::clamp(Length / Each, 1, Most - 1);
    }
}

int WidestLabel(const QFontMetrics& Metrics, const TAxisTicks& Ticks)
{
    int Widest = 0;
    for (const QString& Label : Ticks.Labels)
        Widest = std::max(Widest, Metrics.horizontalAdvance(Label));
    return Widest;
}

// The pixel of a tick's value, held within [First, Last]: rounding may put a tick at an
// end of the range a pixel beyond it. A value that is not a number goes to the lower end.
int PixelOf(double Pixel, int First, int Last)
{
    const int Low = std::min(First, Last), High = std::max(First, Last);
    if (!(Pixel >= Low))
        return Low;
    return Pixel >= High ? High : static_cast<int>(Pixel);
}

// The legend's entries fill its rows top down, then the next column. A row is a line and a
// quarter high; a swatch is two lines long. Columns are as wide as the longest name needs
// and as many as the entries need, within the width given, but never so narrow that a
// name would keep fewer than a few letters: entries beyond them are counted in the last.
struct TLegendGrid
{
    int Rows;
    int Columns;
    int ColumnWidth;
    int RowHeight;

    long long Capacity() const { return static_cast<long long>(Rows) * Columns; }
};

int SwatchLength(int FontHeight)
{
    return 2 * FontHeight;
}

TLegendGrid LegendGrid(const std::vector<const TGraphDataSet*>& Sets, int Height, int MaxWidth,
                       const QFontMetrics& Metrics)
{
    const int FontHeight = Metrics.height();
    int Widest = 0;
    for (const TGraphDataSet* Set : Sets)
        Widest = std::max(Widest, Metrics.horizontalAdvance(Set->Name));
    const long long Around = SwatchLength(FontHeight) + FontHeight / 2 + FontHeight;
    const long long Entry = Around + Widest;
    const long long Narrowest = std::min(Entry, Around + 4LL * FontHeight);
    TLegendGrid Grid;
    Grid.RowHeight = std::max(FontHeight + FontHeight / 4, 1);
    Grid.Rows = std::max(Height / Grid.RowHeight, 1);
    const long long Wanted = (static_cast<long long>(Sets.size()) + Grid.Rows - 1) / Grid.Rows;
    Grid.Columns = static_cast<int>(std::clamp(MaxWidth / std::max(Narrowest, 1LL), 1LL, Wanted));
    Grid.ColumnWidth =
        static_cast<int>(std::min(Entry, MaxWidth / static_cast<long long>(Grid.Columns)));
    return Grid;
}

} // namespace

// In the presentation style the plot gives up a column at its right for the legend, at
// most a quarter of the drawing.
TGraphLayout TGraphWidget::Arranged(TGraphLayout Layout, const QFont& Font) const
{
    const std::vector<const TGraphDataSet*> Sets = LegendSets();
    if (!d_Presentation || Sets.empty())
        return Layout;
    const QFontMetrics Metrics(Font);
    const TLegendGrid Grid =
        LegendGrid(Sets, Layout.Plot.height(), Layout.Widget.width() / 4, Metrics);
    return TGraphLayout::WithLegend(Layout, Grid.Columns * Grid.ColumnWidth, Metrics.height());
}

// Grid lines across the plot at every tick, tick marks outside it, and the labels.
void TGraphWidget::DrawRoundTicks(QPainter& Painter, int FontHeight)
{
    const QFontMetrics Metrics(Painter.font());
    const QRect& Plot = d_PlotRect;
    const TAxisTicks Horizontal = FittingTicks(
        d_Transform.InverseX(Plot.left()), d_Transform.InverseX(Plot.right()),
        Plot.right() - Plot.left() + 1,
        [&](const TAxisTicks& Ticks) { return WidestLabel(Metrics, Ticks) + FontHeight; });
    const TAxisTicks Vertical = FittingTicks(
        d_Transform.InverseY(Plot.bottom()), d_Transform.InverseY(Plot.top()),
        Plot.bottom() - Plot.top() + 1, [&](const TAxisTicks&) { return 2 * FontHeight; });

    const int Baseline = Plot.bottom() + FontHeight / 3 + Metrics.ascent() + 1;
    for (std::size_t Index = 0; Index < Horizontal.Values.size(); ++Index)
    {
        const int X =
            PixelOf(d_Transform.MapX(Horizontal.Values[Index]), Plot.left(), Plot.right());
        Painter.setPen(QColor(Grid_Colour));
        Painter.drawLine(X, Plot.top(), X, Plot.bottom());
        Painter.setPen(Qt::darkGray);
        Painter.drawLine(X, Plot.bottom(), X, Plot.bottom() + FontHeight / 3);
        Painter.setPen(Qt::black);
        const QString& Label = Horizontal.Labels[Index];
        Painter.drawText(QPoint(X - Metrics.horizontalAdvance(Label) / 2, Baseline), Label);
    }
    const int LabelRight = Plot.left() - FontHeight / 3 - FontHeight / 4;
    for (std::size_t Index = 0; Index < Vertical.Values.size(); ++Index)
    {
        const int Y = PixelOf(d_Transform.MapY(Vertical.Values[Index]), Plot.top(), Plot.bottom());
        Painter.setPen(QColor(Grid_Colour));
        Painter.drawLine(Plot.left(), Y, Plot.right(), Y);
        Painter.setPen(Qt::darkGray);
        Painter.drawLine(Plot.left() - FontHeight / 3, Y, Plot.left(), Y);
        Painter.setPen(Qt::black);
        const QString& Label = Vertical.Labels[Index];
        Painter.drawText(QPoint(LabelRight - Metrics.horizontalAdvance(Label),
                                Y + (Metrics.ascent() - Metrics.descent()) / 2),
                         Label);
    }
}

// Each named set's swatch in its colour and style, and its name, elided to the column; when
// not all fit, the last place tells how many more there are.
void TGraphWidget::DrawLegend(QPainter& Painter)
{
    const std::vector<const TGraphDataSet*> Sets = LegendSets();
    if (Sets.empty() || d_LegendRect.width() < 1)
        return;
    const QPen Pen = Painter.pen();
    const QFontMetrics Metrics(Painter.font());
    const int FontHeight = Metrics.height();
    const TLegendGrid Grid = LegendGrid(Sets, d_LegendRect.height(), d_LegendRect.width(), Metrics);
    const bool Overflow = static_cast<long long>(Sets.size()) > Grid.Capacity();
    const int Listed =
        static_cast<int>(Overflow ? Grid.Capacity() - 1 : static_cast<long long>(Sets.size()));
    const int Swatch = std::min(SwatchLength(FontHeight), Grid.ColumnWidth);
    // The swatch, if any, at the start of place Index, then the text, elided to the rest.
    const auto Entry = [&](int Index, const TGraphDataSet* Set, const QString& Text)
    {
        const QRect Cell(d_LegendRect.left() + Index / Grid.Rows * Grid.ColumnWidth,
                         d_LegendRect.top() + Index % Grid.Rows * Grid.RowHeight, Grid.ColumnWidth,
                         Grid.RowHeight);
        if (Set != nullptr)
            DrawSwatch(Painter, *Set, QRect(Cell.topLeft(), QSize(Swatch, Cell.height())));
        const QRect Room = Cell.adjusted(Swatch + FontHeight / 2, 0, -FontHeight / 2, 0);
        Painter.setPen(Qt::black);
        if (Room.width() > 0)
            Painter.drawText(Room, Qt::AlignLeft | Qt::AlignVCenter,
                             Metrics.elidedText(Text, Qt::ElideRight, Room.width()));
    };
    for (int Index = 0; Index < Listed; ++Index)
        Entry(Index, Sets[Index], Sets[Index]->Name);
    if (Overflow)
        Entry(Listed, nullptr, QStringLiteral("+%1 more").arg(Sets.size() - Listed));
    Painter.setPen(Pen);
}
