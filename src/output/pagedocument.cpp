#include "src/output/pagedocument.h"

#include "core/check.h"
#include "core/graphwidget.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRegularExpression>
#include <QTextLayout>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numeric>

namespace
{

struct TTextLook
{
    TPageDocument::TText Kind;
    double Points;
    bool Bold;
    QRgb Colour;
};

const QRgb Ink = qRgb(0x20, 0x20, 0x20);
const QRgb Accent = qRgb(0x1f, 0x3a, 0x5f);
const QRgb Muted = qRgb(0x5a, 0x5a, 0x5a);
const QRgb Warning_Ink = qRgb(0xb0, 0x00, 0x00);
const QRgb Head_Fill = qRgb(0xe3, 0xe8, 0xef);
const QRgb Stripe = qRgb(0xf3, 0xf5, 0xf8);

// In the order of the kinds.
const TTextLook Looks[] = {
    {TPageDocument::Title, 18.0, true, Accent},   {TPageDocument::Heading, 13.0, true, Accent},
    {TPageDocument::Subheading, 10.0, true, Ink}, {TPageDocument::Body, 9.5, false, Ink},
    {TPageDocument::Label, 8.5, false, Muted},    {TPageDocument::Warning, 9.5, false, Warning_Ink},
    {TPageDocument::Small, 8.0, false, Ink},      {TPageDocument::Small_Bold, 8.0, true, Ink},
};

const TTextLook& Look(TPageDocument::TText kind)
{
    const TTextLook& look = Looks[kind];
    VANTREL_CHECK(look.Kind == kind);
    return look;
}

// The ways of breaking a table's titles over lines, from none on.
const int Title_Levels = 3;
using TColumnWidths = std::vector<std::array<double, Title_Levels>>;

// Room about a table cell's text, in points: beside it and above and below it.
const double Cell_Padding = 4.0;
const double Cell_Padding_Vertical = 2.5;

} // namespace

TPageDocument::TPageDocument(QPagedPaintDevice& device, double left, double top, double right,
                             double bottom)
    : d_device(device),
      d_flow(QRectF(Points(left), Points(top), device.width() - Points(left + right),
                    device.height() - Points(top + bottom)))
{
    // Below the body, a little apart from it.
    d_footer = QRectF(Points(left), device.height() - Points(bottom) + Points(14.0), Width(),
                      Line_Height(Small));
}

double TPageDocument::Points(double points) const
{
    return points * d_device.logicalDpiY() / 72.0;
}

double TPageDocument::Width() const
{
    return d_flow.Width();
}

QFont TPageDocument::Font(TText kind) const
{
    QFont font;
    font.setPointSizeF(Look(kind).Points);
    font.setBold(Look(kind).Bold);
    // No ligatures, which Latin text does not need: a reader then finds "fi" as two letters.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

double TPageDocument::Line_Height(TText kind) const
{
    return QFontMetricsF(Font(kind), &d_device).lineSpacing();
}

// Each paragraph of the text broken into lines of at most `width`, between words where it
// can be and anywhere else where a word is longer than a line; at least one line.
QStringList TPageDocument::Lines(const QString& text, TText kind, double width) const
{
    QStringList lines;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString& paragraph : text.split(QLatin1Char('\n')))
    {
        QTextLayout layout(paragraph, Font(kind), &d_device);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
        {
            line.setLineWidth(std::max(width, 1.0));
            lines << paragraph.mid(line.textStart(), line.textLength()).trimmed();
        }
        layout.endLayout();
        if (layout.lineCount() == 0)
            lines << QString();
    }
    return lines;
}

void TPageDocument::Page_Break()
{
    d_flow.Keep(std::numeric_limits<double>::infinity());
}

void TPageDocument::Space(double points)
{
    d_flow.Skip(Points(points));
}

void TPageDocument::Keep(TText kind, int lines, double more)
{
    d_flow.Keep(lines * Line_Height(kind) + Points(more));
}

void TPageDocument::Text(const QString& text, TText kind)
{
    const QFont font = Font(kind);
    const QColor colour = QColor::fromRgb(Look(kind).Colour);
    for (const QString& line : Lines(text, kind, Width()))
        d_flow.Add(Line_Height(kind),
                   [=](QPainter& painter, const QRectF& area)
                   {
                       painter.setFont(font);
                       painter.setPen(colour);
                       painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, line);
                   });
}

void TPageDocument::Rule()
{
    const double width = Points(0.8);
    d_flow.Add(Points(8.0),
               [=](QPainter& painter, const QRectF& area)
               {
                   painter.setPen(QPen(QColor::fromRgb(Accent), width));
                   const double y = area.center().y();
                   painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
               });
}

void TPageDocument::Fields(const std::vector<std::pair<QString, QString>>& fields, int columns,
                           double label_width)
{
    VANTREL_CHECK(columns >= 1);
    const std::size_t rows = (fields.size() + columns - 1) / columns;
    const double column_width = Width() / columns;
    const double value_left = Points(label_width);
    const double value_width = column_width - value_left - Points(Cell_Padding);
    const QFont label_font = Font(Label), value_font = Font(Body);
    const QColor label_colour = QColor::fromRgb(Look(Label).Colour);
    const QColor value_colour = QColor::fromRgb(Look(Body).Colour);
    for (std::size_t row = 0; row < rows; ++row)
    {
        // The row's fields, their values' lines, and how many lines the longest takes.
        std::vector<std::pair<QString, QStringList>> cells;
        int height = 1;
        for (std::size_t column = 0; column < std::size_t(columns); ++column)
        {
            const std::size_t index = column * rows + row;
            if (index >= fields.size())
                break;
            cells.emplace_back(fields[index].first, Lines(fields[index].second, Body, value_width));
            height = std::max(height, int(cells.back().second.size()));
        }
        // Line by line, so that a long value flows onto the next page.
        for (int line = 0; line < height; ++line)
            d_flow.Add(
                Line_Height(Body),
                [=](QPainter& painter, const QRectF& area)
                {
                    for (std::size_t column = 0; column < cells.size(); ++column)
                    {
                        const double left = area.left() + column * column_width;
                        if (line == 0)
                        {
                            painter.setFont(label_font);
                            painter.setPen(label_colour);
                            painter.drawText(QRectF(left, area.top(), value_left, area.height()),
                                             Qt::AlignLeft | Qt::AlignVCenter, cells[column].first);
                        }
                        painter.setFont(value_font);
                        painter.setPen(value_colour);
                        painter.drawText(
                            QRectF(left + value_left, area.top(), value_width, area.height()),
                            Qt::AlignLeft | Qt::AlignVCenter, cells[column].second.value(line));
                    }
                });
        d_flow.Skip(Points(2.0));
    }
}

namespace
{

// The widest text of each column, by the longest cells: the cells are mostly numbers, whose
// digits are all as wide, so a text with fewer characters than the longest so far is taken to
// be narrower.
std::vector<double> Widest_Cells(const TPageDocument::TTable& table, const QFontMetricsF& metrics)
{
    std::vector<double> widths;
    for (int column = 0; column < table.Titles.size(); ++column)
    {
        double width = 0.0;
        int longest = 0;
        for (std::size_t row = 0; row < table.Rows; ++row)
        {
            const QString text = table.Cell(row, column);
            if (text.size() < longest)
                continue;
            longest = text.size();
            width = std::max(width, metrics.horizontalAdvance(text));
        }
        widths.push_back(width);
    }
    return widths;
}

// The widest line of a title broken before each of its parts: a part starts where `breaks`
// matches, e.g. at the unit in "mean up (µm)".
double Title_Width(const QString& title, const QRegularExpression& breaks,
                   const QFontMetricsF& metrics)
{
    double width = 0.0;
    for (const QString& part : title.split(breaks))
        width = std::max(width, metrics.horizontalAdvance(part));
    return width;
}

double Total(const TColumnWidths& widths, const std::vector<int>& columns, int level)
{
    double total = 0.0;
    for (const int column : columns)
        total += widths[std::size_t(column)][std::size_t(level)];
    return total;
}

// The key columns and as many of the others beside them as fit the width, at most `most`,
// part after part (at least one in each).
std::vector<std::vector<int>> Filled_Parts(const TColumnWidths& widths, int keys, double width,
                                           int most)
{
    const int words = Title_Levels - 1;
    std::vector<int> key_columns(static_cast<std::size_t>(keys));
    std::iota(key_columns.begin(), key_columns.end(), 0);
    std::vector<std::vector<int>> parts;
    for (int column = keys; column < int(widths.size()); ++column)
    {
        const bool full =
            !parts.empty() && int(parts.back().size()) > keys &&
            (int(parts.back().size()) - keys == most ||
             Total(widths, parts.back(), words) + widths[std::size_t(column)][words] > width);
        if (parts.empty() || full)
            parts.push_back(key_columns);
        parts.back().push_back(column);
    }
    return parts;
}

// The columns of each part of the table: all in one when they fit the width with their titles
// a word to a line, else in as few parts as fit, the columns shared out about evenly.
std::vector<std::vector<int>> Column_Parts(const TColumnWidths& widths, int keys, double width)
{
    const int others = int(widths.size()) - keys;
    const std::size_t fewest = Filled_Parts(widths, keys, width, others).size();
    const int most = (others + int(fewest) - 1) / int(fewest);
    return Filled_Parts(widths, keys, width, most);
}

} // namespace

// Each column as wide as its widest cell and the longest line of its title, at each level of
// breaking the titles.
TColumnWidths TPageDocument::Natural_Widths(const TTable& table) const
{
    const QFontMetricsF titles(Font(Small_Bold), &d_device);
    const std::vector<double> cells = Widest_Cells(table, QFontMetricsF(Font(Small), &d_device));
    // On one line; the unit on a line of its own; a word to a line.
    const QRegularExpression breaks[Title_Levels] = {QRegularExpression(QStringLiteral("(?!)")),
                                                     QRegularExpression(QStringLiteral(" (?=\\()")),
                                                     QRegularExpression(QStringLiteral(" "))};
    TColumnWidths widths(cells.size());
    for (std::size_t column = 0; column < cells.size(); ++column)
        for (int level = 0; level < Title_Levels; ++level)
            widths[column][std::size_t(level)] =
                std::max(cells[column],
                         Title_Width(table.Titles[int(column)], breaks[level], titles)) +
                2.0 * Points(Cell_Padding);
    return widths;
}

// The widths of the columns of a part: at the first level of breaking titles that fits, what
// is left over shared out evenly; narrowed in proportion when even the last does not fit.
std::vector<double> TPageDocument::Part_Widths(const TColumnWidths& natural,
                                               const std::vector<int>& columns) const
{
    int level = 0;
    while (level < Title_Levels - 1 && Total(natural, columns, level) > Width())
        ++level;
    const double total = Total(natural, columns, level);
    std::vector<double> widths;
    for (const int column : columns)
    {
        const double width = natural[std::size_t(column)][std::size_t(level)];
        widths.push_back(total > Width() ? width * Width() / total
                                         : width + (Width() - total) / double(columns.size()));
    }
    return widths;
}

void TPageDocument::Table(const TTable& table)
{
    VANTREL_CHECK(std::size_t(table.Titles.size()) == table.Numbers.size() &&
                  table.Key_Columns < table.Titles.size());
    const TColumnWidths natural = Natural_Widths(table);
    const std::vector<std::vector<int>> parts = Column_Parts(natural, table.Key_Columns, Width());
    for (std::size_t part = 0; part < parts.size(); ++part)
    {
        if (part > 0)
            Space(10.0);
        Table_Part(table, parts[part], Part_Widths(natural, parts[part]));
    }
}

void TPageDocument::Table_Part(const TTable& table, const std::vector<int>& columns,
                               const std::vector<double>& widths)
{
    const double padding = Points(Cell_Padding), padding_vertical = Points(Cell_Padding_Vertical);
    std::vector<QStringList> titles;
    int title_lines = 1;
    for (std::size_t k = 0; k < columns.size(); ++k)
    {
        titles.push_back(Lines(table.Titles[columns[k]], Small_Bold, widths[k] - 2 * padding));
        title_lines = std::max(title_lines, int(titles.back().size()));
    }
    const double title_line = Line_Height(Small_Bold);
    const double head_height = title_lines * title_line + 2 * padding_vertical;
    const double row_height = Line_Height(Small) + 2 * padding_vertical;
    const QFont head_font = Font(Small_Bold), cell_font = Font(Small);
    const auto alignment = [numbers = table.Numbers, columns](std::size_t k) {
        return (numbers[std::size_t(columns[k])] ? Qt::AlignRight : Qt::AlignLeft) |
               Qt::AlignVCenter;
    };
    const double rule = Points(0.6);

    const auto head = [=](QPainter& painter, const QRectF& area)
    {
        painter.fillRect(area, QColor::fromRgb(Head_Fill));
        painter.setFont(head_font);
        painter.setPen(QColor::fromRgb(Ink));
        double left = area.left();
        for (std::size_t column = 0; column < widths.size(); ++column)
        {
            // Titles stand on the row's foot, their last lines level.
            const double top =
                area.bottom() - padding_vertical - titles[column].size() * title_line;
            for (int line = 0; line < titles[column].size(); ++line)
                painter.drawText(QRectF(left + padding, top + line * title_line,
                                        widths[column] - 2 * padding, title_line),
                                 alignment(column), titles[column][line]);
            left += widths[column];
        }
        painter.setPen(QPen(QColor::fromRgb(Accent), rule));
        painter.drawLine(area.bottomLeft(), area.bottomRight());
    };
    const auto cell = table.Cell;
    const auto row = [=](QPainter& painter, const QRectF& area, std::size_t index)
    {
        if (index % 2 == 1)
            painter.fillRect(area, QColor::fromRgb(Stripe));
        painter.setFont(cell_font);
        painter.setPen(QColor::fromRgb(Ink));
        const QFontMetricsF metrics(cell_font, painter.device());
        double left = area.left();
        for (std::size_t column = 0; column < widths.size(); ++column)
        {
            const double room = widths[column] - 2 * padding;
            painter.drawText(
                QRectF(left + padding, area.top(), room, area.height()), alignment(column),
                metrics.elidedText(cell(index, columns[column]), Qt::ElideRight, room));
            left += widths[column];
        }
    };
    d_flow.Add_Rows(head_height, head, table.Rows, row_height, row);
}

void TPageDocument::Graph(std::shared_ptr<TGraphWidget> graph, double height, double most)
{
    const QFont font = Font(Small);
    d_flow.Add(std::max(Points(height), std::min(d_flow.Room(), Points(most))),
               [=](QPainter& painter, const QRectF& area)
               {
                   painter.setFont(font);
                   painter.setPen(Qt::black);
                   // The graph lays itself out from its own top left corner.
                   painter.translate(area.topLeft());
                   graph->Render(&painter, QRect(QPoint(0, 0), area.size().toSize()), false);
               });
}

bool TPageDocument::Paint(const std::function<QStringList(int page, int pages)>& footer) const
{
    QPainter painter;
    if (!painter.begin(&d_device))
        return false;
    const QFont font = Font(Small);
    const QRectF band = d_footer;
    const bool painted = d_flow.Paint(
        painter, d_device,
        [&](QPainter& on, int page, int pages)
        {
            on.setPen(QPen(QColor::fromRgb(Muted), Points(0.5)));
            on.drawLine(band.topLeft(), band.topRight());
            on.setFont(font);
            const QStringList texts = footer(page, pages);
            const Qt::Alignment places[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
            for (int k = 0; k < 3 && k < texts.size(); ++k)
                on.drawText(band.translated(0.0, Points(3.0)), places[k] | Qt::AlignVCenter,
                            texts[k]);
        });
    return painter.end() && painted;
}
