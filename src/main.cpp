#include "src/cli/batch.h"
#include "src/cli/commandline.h"
#include "src/window/highdpi.h"
#include "src/window/vantrel.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

#include <cstdio>

namespace
{

QStringList Arguments(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments += QString::fromLocal8Bit(argv[i]);
    return arguments;
}

void Drop_Notes(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

// Help, version, usage errors and batch runs need no display: text alone needs no
// QApplication, and painting a graph file is done on the "offscreen" platform. The
// arguments are read already; the help's usage line names the program, not its path.
int Run_Without_Display(const TCommandLine& line)
{
    char name[] = "vantrel";
    char* arguments[] = {name, nullptr};
    int count = 1;
    if (line.Action && line.Action->Application == Batch_Painting)
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // Standard error carries the batch's own "ERR:  " lines only, not the platform's
        // notes on its set-up.
        qInstallMessageHandler(Drop_Notes);
        QApplication application(count, arguments);
        return Run_Without_Window(line);
    }
    QCoreApplication application(count, arguments);
    return Run_Without_Window(line);
}

} // namespace

int main(int argc, char* argv[])
{
    const TCommandLine line = Parse_Command_Line(Arguments(argc, argv));
    if (line.Mode != TCommandLine::Window)
        return Run_Without_Display(line);

    Prepare_High_Dpi();
    QApplication* application = new QApplication(argc, argv);
    // Without the "fusion" style the platform's default stays.
    if (QStyle* style = QStyleFactory::create(QStringLiteral("fusion")))
        QApplication::setStyle(style);

    TVantrel* window = new TVantrel();
    window->show();
    if (!line.File.isEmpty())
        window->Open_File(line.File);
    const int result = QApplication::exec();
    delete window;
    delete application;
    return result;
}
