#ifndef VANTREL_BENCH_VANTRELPROBE_H
#define VANTREL_BENCH_VANTRELPROBE_H

#include "src/output/graphfeed.h"
#include "src/window/vantrel.h"

#include <QPlainTextEdit>

// Gives the benchmark the steps of the main window one at a time.
class TVantrelProbe
{
public:
    explicit TVantrelProbe(TVantrel& window) : d_window(window) {}

    TLaserFile& Laser_File() { return d_window.d_laser_file; }
    QPlainTextEdit& Report_Pane() { return *d_window.d_report; }
    TGraphWidget& Graph() { return *d_window.d_graph; }
    int Active_Section() const { return d_window.Active_Section(); }

    void Load_File(const QString& path) { d_window.Load_File(path); }
    void Clear_Report() { d_window.Clear_Report(); }
    void Write_Report(int section) { d_window.Write_Report(section); }
    void Feed_Graph(int section) { ::Feed_Graph(Graph(), Laser_File(), section); }
    void Show_Loaded_File()
    {
        d_window.Enable_Controls(true);
        d_window.Update_Section_Buttons();
    }

private:
    TVantrel& d_window;
};

#endif
