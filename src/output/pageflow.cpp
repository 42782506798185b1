#include "src/output/pageflow.h"

#include "core/check.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

TPageFlow::TPageFlow(const QRectF& body) : d_body(body), d_top(body.top()), d_pages(1)
{
    VANTREL_CHECK(body.height() > 0.0 && body.width() > 0.0);
}

double TPageFlow::Width() const
{
    return d_body.width();
}

double TPageFlow::Room() const
{
    return d_body.bottom() - d_top;
}

void TPageFlow::New_Page()
{
    d_pages.emplace_back();
    d_top = d_body.top();
}

void TPageFlow::Keep(double height)
{
    if (height > Room() && !d_pages.back().empty())
        New_Page();
}

void TPageFlow::Add(double height, TDraw draw)
{
    Keep(height);
    const QRectF area(d_body.left(), d_top, d_body.width(), std::min(height, Room()));
    d_pages.back().push_back({area, std::move(draw)});
    d_top += area.height();
}

void TPageFlow::Skip(double height)
{
    if (!d_pages.back().empty())
        d_top = std::min(d_top + height, d_body.bottom());
}

void TPageFlow::Add_Rows(double head_height, const TDraw& head, std::size_t rows, double row_height,
                         const TDrawRow& row)
{
    VANTREL_CHECK(row_height > 0.0 && head_height + row_height <= d_body.height());
    for (std::size_t first = 0; first < rows;)
    {
        Keep(head_height + row_height);
        const std::size_t fit = static_cast<std::size_t>(
            std::max(std::floor((Room() - head_height) / row_height), 1.0));
        const std::size_t count = std::min(fit, rows - first);
        Add(head_height + static_cast<double>(count) * row_height,
            [=](QPainter& painter, const QRectF& area)
            {
                head(painter, QRectF(area.topLeft(), QSizeF(area.width(), head_height)));
                for (std::size_t k = 0; k < count; ++k)
                    row(painter,
                        QRectF(area.left(),
                               area.top() + head_height + static_cast<double>(k) * row_height,
                               area.width(), row_height),
                        first + k);
            });
        first += count;
    }
}

int TPageFlow::Page_Count() const
{
    return static_cast<int>(d_pages.size());
}

bool TPageFlow::Paint(QPainter& painter, QPagedPaintDevice& device, const TDrawFooter& footer) const
{
    for (std::size_t page = 0; page < d_pages.size(); ++page)
    {
        if (page > 0 && !device.newPage())
            return false;
        for (const TPlaced& placed : d_pages[page])
        {
            painter.save();
            painter.setClipRect(placed.Area);
            placed.Draw(painter, placed.Area);
            painter.restore();
        }
        footer(painter, static_cast<int>(page) + 1, Page_Count());
    }
    return true;
}
