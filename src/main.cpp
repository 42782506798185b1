#include "src/cli/batch.h"
#include "src/cli/commandline.h"
#include "src/window/highdpi.h"
#include "src/window/vantrel.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

#include <cstdio>
#include <cstdlib>
#include <vector>

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

// A note of Qt's, held back to be passed on.
struct TNote
{
    QtMsgType Type;
    const char* Category; // a category's name lives as long as the program
    QString Message;
};

std::vector<TNote> Start_Notes;
QtMessageHandler Qt_Handler = nullptr;

void Pass_On_Start_Notes()
{
    for (const TNote& note : Start_Notes)
        Qt_Handler(note.Type, QMessageLogContext(nullptr, 0, nullptr, note.Category), note.Message);
    Start_Notes.clear();
}

// While the window's application starts, Qt's notes are held back: without a display, or
// with one that does not answer, its platform plugin fails after some notes of its own, and
// Qt then aborts with a long message. The user gets one line and a plain failure instead.
void Hold_Start_Notes(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg && message.contains(QLatin1String("platform plugin")))
    {
        fputs("ERR:  No display to open the window on; the batch options (see --help) need "
              "none.\n",
              stderr);
        std::_Exit(Batch_Failed);
    }
    Start_Notes.push_back({type, context.category, message});
    // Any other fatal message aborts the program when this returns.
    if (type == QtFatalMsg)
        Pass_On_Start_Notes();
}

QApplication* Start_Window_Application(int& argc, char* argv[])
{
    Qt_Handler = qInstallMessageHandler(Hold_Start_Notes);
    QApplication* application = new QApplication(argc, argv);
    qInstallMessageHandler(Qt_Handler);
    Pass_On_Start_Notes();
    return application;
}

} // namespace

int main(int argc, char* argv[])
{
    const TCommandLine line = Parse_Command_Line(Arguments(argc, argv));
    if (line.Mode != TCommandLine::Window)
        return Run_Without_Display(line);

    Prepare_High_Dpi();
    QApplication* application = Start_Window_Application(argc, argv);
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
