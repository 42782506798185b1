// Arbitrary bytes as each of the six kinds of laser file; the runs of every section that
// loads go into the graph as the main window feeds them (or, now and then, as a page shows
// them, compared with themselves), which then fits and draws them into its image at sizes and
// zooms taken from the input, and onto other painters.

#include "fuzz/fuzzload.h"
#include "src/output/graphfeed.h"
#include "tests/graphprobe.h"

#include <QApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QResizeEvent>

namespace
{

// Sizes and zoom corners that follow from the input, so that a finding repeats.
class TInputNumbers
{
public:
    explicit TInputNumbers(const QByteArray& content) : d_state(qHash(content) | 1u) {}

    // A number from 0 to Limit - 1.
    int Next(int Limit)
    {
        // xorshift32: cheap and never stuck at zero.
        d_state ^= d_state << 13;
        d_state ^= d_state >> 17;
        d_state ^= d_state << 5;
        return static_cast<int>(d_state % static_cast<unsigned int>(Limit));
    }

    // Sizes smaller than the margins as well as a screen's.
    QSize Size() { return QSize(Next(800), Next(600)); }

private:
    unsigned int d_state;
};

void Resize(TGraphWidget& graph, const QSize& size)
{
    QResizeEvent event(size, graph.size());
    QCoreApplication::sendEvent(&graph, &event);
    const QImage image = TGraphWidgetProbe(graph).Image();
    Fuzz_Expect(image.size() == size + QSize(1, 1), "the image covers the widget");
}

// Rubber bands anywhere around the plot, down to a single pixel: zooms in and out.
void Zoom(TGraphWidget& graph, const QSize& size, TInputNumbers& numbers)
{
    TGraphWidgetProbe probe(graph);
    for (int zoom = 0; zoom < 3; ++zoom)
    {
        const int width = 2 * size.width() + 1, height = 2 * size.height() + 1;
        const QPoint corner(numbers.Next(width) - size.width() / 2,
                            numbers.Next(height) - size.height() / 2);
        probe.RenderZoomed(QRect(corner, corner + QPoint(numbers.Next(width) - size.width(),
                                                         numbers.Next(height) - size.height())));
    }
}

// The drawings with and without titles onto another image, in areas of any size: the
// painter cuts what lies beyond the image. One image serves all, for speed.
void Draw_Elsewhere(TGraphWidget& graph, TInputNumbers& numbers)
{
    static QImage image(400, 300, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    graph.Render(&painter, QRect(QPoint(0, 0), numbers.Size()), numbers.Next(2) == 1);
    graph.RenderWithoutTitles(&painter, QRect(QPoint(0, 0), numbers.Size()), numbers.Next(2) == 1);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_render";
    static char* argv[] = {name, nullptr};
    // Lives as long as the process, like the application of the program.
    static QApplication* application = new QApplication(argc, argv);
    Q_UNUSED(application);
    // The first drawing loads the fonts and fills Qt's caches for good; done here, none of
    // that counts against the first input.
    TGraphWidget graph;
    Resize(graph, QSize(200, 100));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray content = Fuzz_Bytes(data, size);
    TInputNumbers numbers(content);
    TLaserFile file;
    TGraphWidget graph;
    Resize(graph, numbers.Size());
    for (const TFuzzKind& kind : Fuzz_Kinds)
    {
        if (!Fuzz_Load(file, kind, content))
            continue;
        for (int section = 0; section < 3; ++section)
        {
            if (file.Run_Count(section) < 1)
                continue;
            // Now and then as a page shows it, with the file as its own dashed reference.
            const bool page = numbers.Next(4) == 0;
            Feed_Graph(graph, file, section, page ? &file : nullptr,
                       page ? TGraphStyle::Presentation : TGraphStyle::Screen);
            const QSize size = numbers.Size();
            Resize(graph, size);
            Zoom(graph, size, numbers);
            Draw_Elsewhere(graph, numbers);
        }
    }
    return 0;
}
