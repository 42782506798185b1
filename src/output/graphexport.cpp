#include "src/output/graphexport.h"

#include "core/graphwidget.h"
#include "src/formats/wholefile.h"
#include "src/laserfile.h"
#include "src/output/graphfeed.h"
#include "src/output/outputfile.h"
#include "src/output/pngencoder.h"

#include <QBuffer>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>

#include <algorithm>
#include <array>
#include <memory>

namespace
{

struct TGraph_Kind
{
    TGraph_Format Format;
    const char* Extension;
    const char* Filter;
};

const std::array<TGraph_Kind, 3> Kinds = {{
    {TGraph_Format::Png, "png", "PNG Images (*.png)"},
    {TGraph_Format::Svg, "svg", "SVG Images (*.svg)"},
    {TGraph_Format::Pdf, "pdf", "PDF Documents (*.pdf)"},
}};

// The resolution that the graph's pixels have: an image's, the screen's, so that text takes
// the same share of the drawing in every kind of file.
int Pixel_Dpi()
{
    return QImage(1, 1, QImage::Format_RGB32).logicalDpiX();
}

bool Draw(QPaintDevice& device, TGraphWidget& graph, QSize size, bool fitted)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    graph.RenderView(&painter, size, fitted);
    return painter.end();
}

void Unmap_Image_Pages(void* pages)
{
    Unmap_Huge_Pages(*static_cast<THuge_Pages*>(pages));
    delete static_cast<THuge_Pages*>(pages);
}

// A picture to draw in, in memory that takes a fault for each huge page, not for every 4 KiB.
QImage Blank_Image(QSize size)
{
    const int line = size.width() * 4;
    auto pages = std::make_unique<THuge_Pages>(Map_Huge_Pages(std::size_t(line) * size.height()));
    if (pages->Data == nullptr)
        return QImage(size, QImage::Format_RGB32);
    const QImage image(static_cast<uchar*>(pages->Data), size.width(), size.height(), line,
                       QImage::Format_RGB32, &Unmap_Image_Pages, pages.get());
    if (image.isNull())
        Unmap_Huge_Pages(*pages);
    else
        pages.release(); // the image's now
    return image;
}

// Drawn as the widget draws its own image, one pixel wider and higher than what it shows:
// a line that leaves the image is clipped there, and the same edge puts its last pixels
// where the widget's are. The image's top left `size` pixels are the graph.
QImage Drawn_Image(TGraphWidget& graph, QSize size, bool fitted)
{
    QImage image = Blank_Image(size + QSize(1, 1));
    if (image.isNull())
        return QImage();
    return Draw(image, graph, size, fitted) ? image : QImage();
}

QByteArray Png_Bytes(TGraphWidget& graph, QSize size, bool fitted)
{
    const QImage image = Drawn_Image(graph, size, fitted);
    return image.isNull() ? QByteArray() : Encode_Png(image, size);
}

// Vector curves and real text; one unit of the drawing is one of the graph's pixels.
QByteArray Svg_Bytes(TGraphWidget& graph, QSize size, bool fitted)
{
    QBuffer buffer;
    if (!buffer.open(QIODevice::WriteOnly))
        return QByteArray();
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(Pixel_Dpi());
    return Draw(generator, graph, size, fitted) ? buffer.data() : QByteArray();
}

// One page just the graph's size, with text that can be selected and searched.
QByteArray Pdf_Bytes(TGraphWidget& graph, QSize size, bool fitted)
{
    QBuffer buffer;
    if (!buffer.open(QIODevice::WriteOnly))
        return QByteArray();
    const int dpi = Pixel_Dpi();
    QPdfWriter writer(&buffer);
    writer.setResolution(dpi);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    if (!writer.setPageSize(QPageSize(QSizeF(size) * 72.0 / dpi, QPageSize::Point, QString(),
                                      QPageSize::ExactMatch)))
        return QByteArray();
    return Draw(writer, graph, size, fitted) ? buffer.data() : QByteArray();
}

QByteArray Graph_Bytes(TGraphWidget& graph, TGraph_Format format, QSize size, bool fitted)
{
    switch (format)
    {
    case TGraph_Format::Png:
        return Png_Bytes(graph, size, fitted);
    case TGraph_Format::Svg:
        return Svg_Bytes(graph, size, fitted);
    case TGraph_Format::Pdf:
        return Pdf_Bytes(graph, size, fitted);
    case TGraph_Format::None:
        break;
    }
    return QByteArray();
}

} // namespace

TGraph_Format Graph_Format(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    for (const TGraph_Kind& kind : Kinds)
        if (suffix.compare(QLatin1String(kind.Extension), Qt::CaseInsensitive) == 0)
            return kind.Format;
    return TGraph_Format::None;
}

QString Graph_Filters()
{
    QStringList filters;
    for (const TGraph_Kind& kind : Kinds)
        filters << QLatin1String(kind.Filter);
    return filters.join(QStringLiteral(";;"));
}

QString Graph_Path(const QString& path, const QString& filter)
{
    if (Graph_Format(path) != TGraph_Format::None)
        return path;
    for (const TGraph_Kind& kind : Kinds)
        if (filter == QLatin1String(kind.Filter))
            return path + QLatin1Char('.') + QLatin1String(kind.Extension);
    return path + QStringLiteral(".png");
}

QImage Graph_Image(TGraphWidget& graph, QSize size, bool fitted)
{
    const QImage image = Drawn_Image(graph, size, fitted);
    return image.isNull() ? QImage() : image.copy(QRect(QPoint(0, 0), size));
}

bool Write_Graph(TGraphWidget& graph, bool fitted, const QString& path, QSize size)
{
    // No bytes: the drawing failed.
    const QByteArray bytes = Graph_Bytes(graph, Graph_Format(path), size, fitted);
    return !bytes.isEmpty() && Write_Output_File(path, bytes);
}

QString Print_Heading(const TLaserFile& file, int section)
{
    return QStringLiteral("File: %1   Section: %2   Date: %3")
        .arg(QDir::toNativeSeparators(file.d_file_name), file.Section_Label(section),
             QDate::currentDate().toString(Qt::ISODate));
}

bool Print_Graph(TGraphWidget& graph, QPrinter& printer, const TLaserFile& file, int section)
{
    printer.setPageOrientation(QPageLayout::Landscape);
    // At the graph's own resolution its pixels, pens and fonts keep their proportions.
    printer.setResolution(Pixel_Dpi());
    const QSize page = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QFontMetrics metrics(painter.font());
    // The line, elided in its middle where a long path would not fit, and a line's room
    // under it.
    painter.drawText(
        QRect(0, 0, page.width(), metrics.height()), Qt::AlignLeft | Qt::AlignTop,
        metrics.elidedText(Print_Heading(file, section), Qt::ElideMiddle, page.width()));
    const int top = 2 * metrics.height();
    painter.translate(0, top);
    graph.RenderView(&painter, QSize(page.width(), std::max(page.height() - top, 1)), false);
    return painter.end();
}

bool Write_Graph_File(const TLaserFile& file, int section, const QString& path, QSize size,
                      const TLaserFile* reference, TGraphStyle style)
{
    TGraphWidget graph;
    Feed_Graph(graph, file, section, reference, style);
    return Write_Graph(graph, true, path, size);
}
