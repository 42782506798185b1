#include "src/window/graphfiledialog.h"

#include "src/output/graphexport.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>

TGraphFileChoice Ask_Graph_File(QWidget* parent, const QString& suggested)
{
    QFileDialog dialog(parent, QStringLiteral("Select file to write"), suggested, Graph_Filters());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    QCheckBox* presentation = new QCheckBox(QStringLiteral("Presentation style"), &dialog);
    presentation->setToolTip(
        QStringLiteral("For a page: ticks at round values under a light grid, a legend of the "
                       "runs, axis titles with units and the section in the title."));
    // Qt's dialog lays itself out in a grid; the box goes below all of it.
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
        grid->addWidget(presentation, grid->rowCount(), 0, 1, grid->columnCount(), Qt::AlignLeft);
    else
        dialog.layout()->addWidget(presentation);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {Graph_Path(dialog.selectedFiles().first(), dialog.selectedNameFilter()),
            presentation->isChecked() ? TGraphStyle::Presentation : TGraphStyle::Screen};
}
