// The Observations tab of the Calibration page: the grid of the observed values (the input's
// measured salinities, an opened file's columns in their place, values pasted or typed), their
// counts per quantity, and opening and saving them as a CSV file as halosoil-batch
// --observations reads it.
#pragma once

#include <QWidget>
#include <functional>

#include "Calibration.h"
#include "Dialogs.h"
#include "InputData.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace halosoil {

class ObservationGrid;
class StudySaving;

class ObservationsPanel : public QWidget {
    Q_OBJECT
public:
    // project gives the page's project or throws why there is none; folder is where the open
    // dialog starts, the folder saving shares.
    ObservationsPanel(Dialogs& dialogs, StudySaving& saving, QString& folder,
                      std::function<const InputData&()> project, QWidget* parent = nullptr);

    // A project of another shape: the grid starts again from its measured salinities.
    void StartAfresh(const InputData& project);
    // The counts per quantity of the grid as it stands, and its damage under it.
    void FillCounts();
    // The observations as the grid holds them; throws the reader's message for a damage.
    study::Observations Current() const;
    // "Open observations" may be pressed.
    void EnableStart(bool canStart);

    void OpenButtonClick();
    // The file's columns over the input's measured salinities.
    void OpenNamed(const QString& fileName);
    void SaveButtonClick();

signals:
    // "Observations read from NAME.", for the page's state.
    void StatusChanged(const QString& text);

private:
    void GridEdited(int col, int row, const QString& text);
    // Marks the cell a reader's message names.
    void MarkDamage(const QString& message);

    Dialogs& dialogs_;
    StudySaving& saving_;
    QString& folder_;
    std::function<const InputData&()> project_;

    ObservationGrid* grid_ = nullptr;
    QTableWidget* countsTable_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* openButton_ = nullptr;
};

}  // namespace halosoil
