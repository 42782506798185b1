#ifndef VANTREL_SRC_OUTPUT_PAGEFLOW_H
#define VANTREL_SRC_OUTPUT_PAGEFLOW_H

#include <QRectF>

#include <cstddef>
#include <functional>
#include <vector>

class QPagedPaintDevice;
class QPainter;

// A document laid out top down over pages of one body rectangle, then drawn page by page.
// Blocks are placed first and drawn later, so that every page's footer can name the count
// of pages.
class TPageFlow
{
public:
    // Draws a block into the rectangle it was given on its page.
    using TDraw = std::function<void(QPainter& painter, const QRectF& area)>;
    // Draws row `row` of a table into its rectangle.
    using TDrawRow = std::function<void(QPainter& painter, const QRectF& area, std::size_t row)>;
    // Draws the footer of page `page` (from 1) of `pages`.
    using TDrawFooter = std::function<void(QPainter& painter, int page, int pages)>;

    explicit TPageFlow(const QRectF& body);

    double Width() const;
    // The height left below what is placed on this page.
    double Room() const;
    // Starts a new page unless `height` fits below what is placed on this one.
    void Keep(double height);
    // Places a block below the last one, on a new page when it does not fit; one taller than
    // the body gets a page of its own and is cut at its foot.
    void Add(double height, TDraw draw);
    // Leaves room below the last block; none at the top of a page.
    void Skip(double height);
    // Places the rows of a table below the last block, the head above its rows on every page
    // they reach.
    void Add_Rows(double head_height, const TDraw& head, std::size_t rows, double row_height,
                  const TDrawRow& row);

    int Page_Count() const;
    // Draws every page with its footer onto the painter's device, a new page between them;
    // false when a page could not be begun.
    bool Paint(QPainter& painter, QPagedPaintDevice& device, const TDrawFooter& footer) const;

private:
    struct TPlaced
    {
        QRectF Area;
        TDraw Draw;
    };

    void New_Page();

    QRectF d_body;
    double d_top;
    std::vector<std::vector<TPlaced>> d_pages;
};

#endif
