// The station record a user imports into the hydrological grid: the file, the station and the
// crop coefficient, with a preview of the project's steps as they would be filled. The dialog
// only collects the values and computes the steps; the panel that opened it puts them into its
// grid. The steps asked for are the grid's rows, so a record that does not cover every one of
// them is refused with the weather library's message and OK stays disabled.
#pragma once

#include <QDialog>
#include <QString>
#include <optional>
#include <vector>

#include "Dialogs.h"
#include "StationRecord.h"
#include "TimeSteps.h"
#include "WeatherSteps.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace halosoil {

class WeatherImportDialog : public QDialog {
    Q_OBJECT
public:
    // What the user entered, kept by the panel so that a second import starts from the first.
    struct Choices {
        QString file;
        QString latitude;
        QString elevation;
        QString windHeight;
        QString kc;
        QString start;
        int method = 0;  // 0 Penman-Monteith, 1 Hargreaves
        bool coastal = false;
        bool fill = false;  // gaps of up to 3 days filled linearly
    };
    // The defaults of a first import: wind measured at 2 m, Kc 1.
    static Choices DefaultChoices();

    // The project's step length in days (360, 30, 7 or 1) and its number of steps.
    WeatherImportDialog(int tstLength, int steps, const Choices& choices, Dialogs& dialogs,
                        QWidget* parent);

    Choices Chosen() const;
    // The steps of the inputs as they stand; empty while the inputs give none.
    const std::vector<weather::WeatherStep>& Steps() const { return steps_; }

    // The text a step's rain or evaporation takes in the grid and in the preview: two
    // decimals, as the input file keeps them, with the program's decimal separator.
    static QString GridText(double value);

    QLineEdit* FileEdit = nullptr;
    QPushButton* BrowseButton = nullptr;
    QLineEdit* LatitudeEdit = nullptr;
    QLineEdit* ElevationEdit = nullptr;
    QLineEdit* WindHeightEdit = nullptr;
    QLineEdit* KcEdit = nullptr;
    QLineEdit* StartEdit = nullptr;
    QComboBox* MethodCombo = nullptr;
    QCheckBox* CoastalCheck = nullptr;
    QCheckBox* FillCheck = nullptr;
    QTableWidget* PreviewTable = nullptr;
    QLabel* EstimatedLabel = nullptr;
    QLabel* WarningLabel = nullptr;
    QLabel* ErrorLabel = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;

private:
    void BrowseButtonClick();
    // The station file of the file field, read when the field changes or the file is chosen
    // again; the other fields recompute from the record read.
    void FileChanged();
    // Computes the steps of the inputs as they stand and shows them, or the reason there are
    // none.
    void Recompute();
    // The weather of the inputs; throws HalosoilError with the reason there is none.
    weather::WeatherResult Computed() const;
    void ShowSteps(const weather::WeatherResult& result);
    void ShowError(const QString& text);

    int tstLength_;
    int stepCount_;
    Dialogs& dialogs_;
    // The record of the file field; nothing with readError_ set when it cannot be read.
    std::optional<weather::StationRecord> record_;
    QString readError_;
    std::vector<weather::WeatherStep> steps_;
};

}  // namespace halosoil
