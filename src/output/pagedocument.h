#ifndef VANTREL_SRC_OUTPUT_PAGEDOCUMENT_H
#define VANTREL_SRC_OUTPUT_PAGEDOCUMENT_H

#include "src/output/pageflow.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QPagedPaintDevice;
class TGraphWidget;

// A document of headings, paragraphs, fields, tables and graphs for paper, laid out on the
// pages of a paged device (a PDF writer) in its units. Text stays text: a reader can select
// and search it.
class TPageDocument
{
public:
    // The kinds of text, each in its font and colour.
    enum TText
    {
        Title,
        Heading,
        Subheading,
        Body,
        Label, // a field's name, a reading's
        Warning,
        Small,     // table cells and footers
        Small_Bold // table titles
    };

    // A table: its titles (wrapped over lines where the column is narrow), which columns hold
    // numbers (set right), and each cell's text by row and column. A table too wide for the
    // page goes on in parts, each with the key columns first.
    struct TTable
    {
        QStringList Titles;
        std::vector<bool> Numbers;
        int Key_Columns = 1;
        std::size_t Rows = 0;
        std::function<QString(std::size_t row, int column)> Cell;
    };

    // Pages of the device's size and resolution, as the device is set when the document is
    // made; the margins about the body are in points, the footer in the bottom one.
    TPageDocument(QPagedPaintDevice& device, double left, double top, double right, double bottom);

    // A length in points in the device's units.
    double Points(double points) const;
    double Width() const;
    QFont Font(TText kind) const;

    void Page_Break();
    void Space(double points);
    // Starts a new page unless the text of `lines` lines of that kind (and `more` points)
    // fits on this one.
    void Keep(TText kind, int lines, double more = 0.0);
    // A paragraph wrapped to the width, each line a block of its own so that it flows on.
    void Text(const QString& text, TText kind);
    // A rule across the page.
    void Rule();
    // Name and value pairs in `columns` columns side by side, the names `label_width` points
    // wide; a long value wraps within its column.
    void Fields(const std::vector<std::pair<QString, QString>>& fields, int columns,
                double label_width);
    // A table across the page, its titles repeated on every page it reaches.
    void Table(const TTable& table);
    // A graph across the page, drawn fitted in the graph's own drawing: `height` points high,
    // or as high as the room left on the page up to `most` points.
    void Graph(std::shared_ptr<TGraphWidget> graph, double height, double most = 0.0);

    // Draws the pages, each with a rule and three texts in its footer (left, centre, right),
    // of which `footer` is given the page's number and the count; false when a page failed.
    bool Paint(const std::function<QStringList(int page, int pages)>& footer) const;

private:
    QStringList Lines(const QString& text, TText kind, double width) const;
    double Line_Height(TText kind) const;
    std::vector<std::array<double, 3>> Natural_Widths(const TTable& table) const;
    std::vector<double> Part_Widths(const std::vector<std::array<double, 3>>& natural,
                                    const std::vector<int>& columns) const;
    void Table_Part(const TTable& table, const std::vector<int>& columns,
                    const std::vector<double>& widths);

    QPagedPaintDevice& d_device;
    QRectF d_footer;
    TPageFlow d_flow;
};

#endif
