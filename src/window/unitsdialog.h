#ifndef VANTREL_SRC_WINDOW_UNITSDIALOG_H
#define VANTREL_SRC_WINDOW_UNITSDIALOG_H

#include "src/laserfile.h"

#include <QDialog>

#include <optional>
#include <utility>
#include <vector>

class QComboBox;

// The deviation unit chosen for each kind of file that does not state its own, remembered
// between sessions: a label for the values, which stay as the file gives them.

// The unit remembered for the kind; nothing when none was chosen, or for a kind that states
// its unit.
std::optional<TDeviationUnit> Remembered_Deviation_Unit(TLaserFileType kind);

// One choice per such kind; accepting remembers them.
class TUnitsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TUnitsDialog(QWidget* parent = nullptr);
    void accept() override;

private:
    // The key each choice is remembered under.
    std::vector<std::pair<QString, QComboBox*>> d_choices;
};

#endif
