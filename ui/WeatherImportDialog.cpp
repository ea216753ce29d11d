#include "WeatherImportDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <exception>
#include <iterator>
#include <new>

#include "Errors.h"
#include "NativeFileName.h"
#include "NumberFormat.h"
#include "PanelWidgets.h"
#include "StationFile.h"
#include "StringToFloat.h"

namespace halosoil {

namespace {

constexpr const char* kStationFilter = "station files (*.csv)|*.csv";

// The number of a field, the point and the program's decimal separator both taken. The text
// is converted without StringToFloat, which changes the program's separator for good on a
// text that fails: here a half-typed number ("-", "1,") fails at every keystroke.
double FieldNumber(const QLineEdit* edit, const char* name, const char* whatToGive) {
    const QString text = edit->text().trimmed();
    if (text.isEmpty()) throw HalosoilError(std::string(name) + ": " + whatToGive);
    QString withPoint = text;
    withPoint.replace(QLatin1Char(DecimalSeparator()), QLatin1Char('.'));
    try {
        return PointStringToFloat(withPoint.toStdString());
    } catch (const ConversionError&) {
        throw HalosoilError(std::string(name) + ": " + ConversionError(text.toStdString()).what());
    }
}

// "3 of 59 days rest on estimated inputs: humidity 3, wind 3, radiation 3", counted over the
// days of the steps alone: days of the record before or after them do not reach the grid.
QString EstimatedSummary(const weather::WeatherResult& result) {
    if (result.steps.empty()) return {};
    const weather::Date first = result.steps.front().start;
    const weather::Date last = result.steps.back().end;
    std::vector<weather::DayEt0> within;
    std::copy_if(result.days.begin(), result.days.end(), std::back_inserter(within),
                 [&](const weather::DayEt0& day) { return day.date >= first && day.date <= last; });
    const auto estimated =
        std::count_if(within.begin(), within.end(),
                      [](const weather::DayEt0& day) { return day.estimated != 0; });
    if (estimated == 0)
        return QString("None of the %1 days rests on estimated inputs.").arg(within.size());
    const std::vector<int> counts = weather::EstimatedCounts(within);
    QStringList names;
    for (std::size_t k = 0; k < counts.size(); ++k)
        if (counts[k] > 0)
            names << QString("%1 %2").arg(weather::EstimateNames()[k].name).arg(counts[k]);
    return QString("%1 of %2 days rest on estimated inputs: %3")
        .arg(estimated)
        .arg(within.size())
        .arg(names.join(", "));
}

QTableWidgetItem* ReadOnlyItem(const QString& text, Qt::Alignment alignment) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    return item;
}

}  // namespace

WeatherImportDialog::Choices WeatherImportDialog::DefaultChoices() {
    Choices choices;
    choices.windHeight = "2";
    choices.kc = QString("1") + QLatin1Char(DecimalSeparator()) + "0";
    return choices;
}

QString WeatherImportDialog::GridText(double value) {
    return QString::fromStdString(Format2(value, 0));
}

WeatherImportDialog::WeatherImportDialog(int tstLength, int steps, const Choices& choices,
                                         Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), tstLength_(tstLength), stepCount_(steps), dialogs_(dialogs) {
    setObjectName("WeatherImportDialog");
    setWindowTitle("Import weather");

    QLabel* heading = MakeHeading(
        this,
        QString("Rainfall and evaporation of the project's %1 %2 steps from a station's daily "
                "record (FAO-56)")
            .arg(steps)
            .arg(weather::StepLengthName(tstLength)),
        false, "WeatherHeadingLabel");
    heading->setWordWrap(true);

    FileEdit = MakeEdit(this, "WeatherFileEdit");
    BrowseButton = MakeButton(this, "WeatherBrowseButton", "Browse...");
    BrowseButton->setAccessibleName("Browse for the station file");
    // Enter in a field is for OK, not for the file dialog.
    BrowseButton->setAutoDefault(false);
    LatitudeEdit = MakeEdit(this, "WeatherLatitudeEdit");
    ElevationEdit = MakeEdit(this, "WeatherElevationEdit");
    WindHeightEdit = MakeEdit(this, "WeatherWindHeightEdit");
    KcEdit = MakeEdit(this, "WeatherKcEdit");
    StartEdit = MakeEdit(this, "WeatherStartEdit");
    StartEdit->setPlaceholderText("YYYY-MM-DD");
    MethodCombo = MakeCombo(this, "WeatherMethodCombo", {"Penman-Monteith", "Hargreaves"});
    FillCheck = new QCheckBox("Fill gaps of up to 3 days linearly", this);
    FillCheck->setObjectName("WeatherFillCheck");
    FillCheck->setAccessibleName("Fill gaps of up to 3 days linearly");
    FillCheck->setToolTip(
        "A missing day, or a missing Tmax, Tmin or rain, is estimated linearly in time between "
        "the days around it and counted as estimated; otherwise it is refused.");
    CoastalCheck = new QCheckBox("Coastal station", this);
    CoastalCheck->setObjectName("WeatherCoastalCheck");
    CoastalCheck->setAccessibleName("Coastal station");
    CoastalCheck->setToolTip(
        "Solar radiation estimated from the temperature range takes the coastal coefficient "
        "0.19 instead of the inland 0.16");

    PreviewTable = new QTableWidget(0, 5, this);
    PreviewTable->setObjectName("WeatherPreviewTable");
    PreviewTable->setHorizontalHeaderLabels(
        {"Step", "Start", "End", "Rainfall (mm)", "Evaporation (mm)"});
    PreviewTable->verticalHeader()->hide();
    PreviewTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    PreviewTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    EstimatedLabel = MakeLabel(this, {}, "WeatherEstimatedLabel");
    EstimatedLabel->setWordWrap(true);
    WarningLabel = MakeLabel(this, {}, "WeatherWarningLabel");
    WarningLabel->setWordWrap(true);
    ErrorLabel = MakeLabel(this, {}, "WeatherErrorLabel");
    ErrorLabel->setWordWrap(true);
    ErrorLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPalette errorColours = ErrorLabel->palette();
    errorColours.setColor(QPalette::WindowText, Qt::darkRed);
    ErrorLabel->setPalette(errorColours);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName("WeatherButtonBox");
    OkButton = buttons->button(QDialogButtonBox::Ok);
    OkButton->setObjectName("WeatherOkButton");
    OkButton->setAccessibleName("Fill the grid with the steps");
    CancelButton = buttons->button(QDialogButtonBox::Cancel);
    CancelButton->setObjectName("WeatherCancelButton");
    CancelButton->setAccessibleName("Cancel the import");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(FileEdit, 1);
    fileRow->addWidget(BrowseButton);
    auto* fields = new QFormLayout;
    fields->addRow(MakeLabelFor(this, "Station file", FileEdit, "WeatherFileLabel"), fileRow);
    fields->addRow(MakeLabelFor(this, "Latitude (degrees, south negative)", LatitudeEdit,
                                "WeatherLatitudeLabel"),
                   LatitudeEdit);
    fields->addRow(
        MakeLabelFor(this, "Elevation (m above sea level)", ElevationEdit, "WeatherElevationLabel"),
        ElevationEdit);
    fields->addRow(MakeLabelFor(this, "Height of the wind measurement (m)", WindHeightEdit,
                                "WeatherWindHeightLabel"),
                   WindHeightEdit);
    fields->addRow(MakeLabelFor(this, "Crop coefficient Kc", KcEdit, "WeatherKcLabel"), KcEdit);
    fields->addRow(MakeLabelFor(this, "First day of step 1 (empty: from the record's start)",
                                StartEdit, "WeatherStartLabel"),
                   StartEdit);
    fields->addRow(
        MakeLabelFor(this, "Reference evapotranspiration by", MethodCombo, "WeatherMethodLabel"),
        MethodCombo);
    fields->addRow(CoastalCheck);
    fields->addRow(FillCheck);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(fields);
    layout->addWidget(
        MakeLabelFor(this, "Preview of the steps", PreviewTable, "WeatherPreviewLabel"));
    layout->addWidget(PreviewTable, 1);
    layout->addWidget(EstimatedLabel);
    layout->addWidget(WarningLabel);
    layout->addWidget(ErrorLabel);
    layout->addWidget(buttons);
    resize(600, 620);

    FileEdit->setText(choices.file);
    LatitudeEdit->setText(choices.latitude);
    ElevationEdit->setText(choices.elevation);
    WindHeightEdit->setText(choices.windHeight);
    KcEdit->setText(choices.kc);
    StartEdit->setText(choices.start);
    MethodCombo->setCurrentIndex(std::clamp(choices.method, 0, 1));
    CoastalCheck->setChecked(choices.coastal);
    FillCheck->setChecked(choices.fill);

    connect(BrowseButton, &QPushButton::clicked, this, &WeatherImportDialog::BrowseButtonClick);
    connect(FileEdit, &QLineEdit::textChanged, this, &WeatherImportDialog::FileChanged);
    for (QLineEdit* edit : {LatitudeEdit, ElevationEdit, WindHeightEdit, KcEdit, StartEdit})
        connect(edit, &QLineEdit::textChanged, this, &WeatherImportDialog::Recompute);
    connect(MethodCombo, &QComboBox::currentIndexChanged, this, &WeatherImportDialog::Recompute);
    connect(CoastalCheck, &QCheckBox::toggled, this, &WeatherImportDialog::Recompute);
    connect(FillCheck, &QCheckBox::toggled, this, &WeatherImportDialog::Recompute);
    FileChanged();
}

WeatherImportDialog::Choices WeatherImportDialog::Chosen() const {
    Choices choices;
    choices.file = FileEdit->text();
    choices.latitude = LatitudeEdit->text();
    choices.elevation = ElevationEdit->text();
    choices.windHeight = WindHeightEdit->text();
    choices.kc = KcEdit->text();
    choices.start = StartEdit->text();
    choices.method = MethodCombo->currentIndex();
    choices.coastal = CoastalCheck->isChecked();
    choices.fill = FillCheck->isChecked();
    return choices;
}

void WeatherImportDialog::BrowseButtonClick() {
    FileDialogSpec request{kStationFilter, "csv", {}};
    const QString current = FileEdit->text().trimmed();
    if (!current.isEmpty()) request.initialFolder = QFileInfo(current).absolutePath();
    const std::optional<QString> chosen = dialogs_.OpenFile(request);
    if (!chosen) return;
    // The same file chosen again is read again: it may have been changed meanwhile.
    if (FileEdit->text() == *chosen)
        FileChanged();
    else
        FileEdit->setText(*chosen);
}

void WeatherImportDialog::FileChanged() {
    record_.reset();
    readError_.clear();
    const QString path = FileEdit->text().trimmed();
    if (!path.isEmpty()) {
        try {
            record_ = weather::ReadStationFile(ToNative(path));
        } catch (const std::bad_alloc&) {
            readError_ = kNotEnoughMemory;
        } catch (const std::exception& error) {
            readError_ = QString::fromStdString(error.what());
        }
    }
    // Columns the reader ignored: a misspelt "rh_mn" is worth a look even when the record
    // gives what the steps need.
    QStringList warnings;
    if (record_)
        for (const std::string& warning : record_->warnings)
            warnings << QString::fromStdString(warning);
    WarningLabel->setText(warnings.join("\n"));
    Recompute();
}

weather::WeatherResult WeatherImportDialog::Computed() const {
    // Zero would ask the library for every step the record covers; the grid has its rows.
    if (stepCount_ < 1) throw HalosoilError("The project has no time step to fill.");
    if (FileEdit->text().trimmed().isEmpty())
        throw HalosoilError("Choose the station file with Browse... or type its name.");
    if (!record_) throw HalosoilError(readError_.toStdString());
    weather::WeatherOptions options;
    options.station.latitude =
        FieldNumber(LatitudeEdit, "latitude", "give the station's latitude in degrees");
    options.station.elevation =
        FieldNumber(ElevationEdit, "elevation", "give the station's elevation in m");
    options.station.windHeight =
        FieldNumber(WindHeightEdit, "wind height", "give the height of the wind measurement in m");
    options.station.coastal = CoastalCheck->isChecked();
    options.fill.linear = FillCheck->isChecked();
    options.station.method = MethodCombo->currentIndex() == 1 ? weather::Method::Hargreaves
                                                              : weather::Method::PenmanMonteith;
    QString kc = KcEdit->text().trimmed();
    kc.replace(QLatin1Char(DecimalSeparator()), QLatin1Char('.'));
    options.steps.kc = weather::ConstantKc(kc.toStdString());
    options.steps.tstLength = tstLength_;
    options.steps.steps = stepCount_;
    const QString start = StartEdit->text().trimmed();
    if (!start.isEmpty()) {
        options.steps.start = weather::ParseIsoDate(start.toStdString());
        if (!options.steps.start)
            throw HalosoilError("first day of step 1: '" + start.toStdString() +
                                "' is not a date of the form YYYY-MM-DD");
    }
    weather::WeatherResult result = weather::ComputeWeather(*record_, options);
    for (const weather::WeatherStep& step : result.steps)
        if (!std::isfinite(step.rain) || !std::isfinite(step.evap))
            throw HalosoilError("step " + std::to_string(step.step) +
                                ": the record gives no number for its rainfall or evaporation");
    return result;
}

void WeatherImportDialog::Recompute() {
    steps_.clear();
    try {
        const weather::WeatherResult result = Computed();
        steps_ = result.steps;
        ShowSteps(result);
    } catch (const std::bad_alloc&) {
        ShowError(kNotEnoughMemory);
    } catch (const std::exception& error) {
        ShowError(QString::fromStdString(error.what()));
    }
}

void WeatherImportDialog::ShowSteps(const weather::WeatherResult& result) {
    PreviewTable->setRowCount(static_cast<int>(result.steps.size()));
    int row = 0;
    for (const weather::WeatherStep& step : result.steps) {
        const Qt::Alignment right = Qt::AlignRight;
        PreviewTable->setItem(row, 0, ReadOnlyItem(QString::number(step.step), right));
        PreviewTable->setItem(
            row, 1, ReadOnlyItem(QString::fromStdString(weather::IsoText(step.start)), right));
        PreviewTable->setItem(
            row, 2, ReadOnlyItem(QString::fromStdString(weather::IsoText(step.end)), right));
        PreviewTable->setItem(row, 3, ReadOnlyItem(GridText(step.rain), right));
        PreviewTable->setItem(row, 4, ReadOnlyItem(GridText(step.evap), right));
        ++row;
    }
    EstimatedLabel->setText(EstimatedSummary(result));
    ErrorLabel->clear();
    OkButton->setEnabled(true);
}

void WeatherImportDialog::ShowError(const QString& text) {
    steps_.clear();
    PreviewTable->setRowCount(0);
    EstimatedLabel->clear();
    ErrorLabel->setText(text);
    OkButton->setEnabled(false);
}

}  // namespace halosoil
