#include "RegionResultsPanel.h"

#include <QBuffer>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ActionGuard.h"
#include "AtomicFile.h"
#include "Errors.h"
#include "NativeFileName.h"
#include "QtCanvas.h"
#include "RegionFieldChart.h"
#include "RegionFieldsTable.h"
#include "RegionLegend.h"
#include "RegionLibrary.h"
#include "RegionMapView.h"
#include "SaveThroughDialogs.h"
#include "StudyWidgets.h"
#include "SvgCanvas.h"

namespace halosoil {

namespace {

// The summaries in the order of the combo box; its last item is the step of the slider.
constexpr int kStepItem = 4;

QColor QtColor(Color color) {
    return QColor(color.r, color.g, color.b);
}

}  // namespace

RegionResultsPanel::RegionResultsPanel(Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(BuildControls());

    map_ = Named(new RegionMapView, "RegionMap", "Map of the fields");
    legend_ = Named(new RegionLegend, "RegionLegend", "Legend of the map");
    chart_ = new RegionFieldChart;
    auto* mapTab = new QSplitter(Qt::Horizontal);
    mapTab->setObjectName("RegionMapSplitter");
    mapTab->addWidget(map_);
    mapTab->addWidget(legend_);
    mapTab->addWidget(chart_);
    mapTab->setStretchFactor(0, 3);
    mapTab->setStretchFactor(2, 2);
    table_ = Named(new RegionFieldsTable, "RegionFieldsTable", "The fields and their values");
    auto* tabs = Named(new QTabWidget, "RegionResultTabs", "Map and table of the results");
    tabs->addTab(mapTab, "Map");
    tabs->addTab(table_, "Fields");
    layout->addWidget(tabs, 1);

    connect(map_, &RegionMapView::FieldClicked, this,
            [this](int field) { RunGuarded(dialogs_, [this, field] { SelectField(field); }); });
    EnableControls();
}

QWidget* RegionResultsPanel::BuildControls() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    quantityCombo_ = Named(new QComboBox, "RegionQuantityCombo", "Quantity on the map");
    for (const study::QuantityInfo& info : study::Quantities()) quantityCombo_->addItem(info.name);
    summaryCombo_ =
        Named(new QComboBox, "RegionSummaryCombo", "What of the quantity the map shows");
    summaryCombo_->addItems({"final", "mean", "min", "max", "at the step"});
    stepSlider_ = Named(new QSlider(Qt::Horizontal), "RegionStepSlider", "Step on the map");
    stepSlider_->setRange(1, 1);
    stepLabel_ = Named(new QLabel, "RegionStepLabel", "Step on the map");
    fieldLabel_ = Named(new QLabel, "RegionFieldLabel", "The chosen field");
    saveMapButton_ = Named(new QPushButton("Save map"), "RegionSaveMapButton", "Save map");
    saveCsvButton_ =
        Named(new QPushButton("Save table as CSV"), "RegionSaveCsvButton", "Save table as CSV");
    openProjectButton_ =
        Named(new QPushButton("Open as project"), "RegionOpenProjectButton", "Open as project");
    for (QWidget* widget : std::initializer_list<QWidget*>{
             quantityCombo_, summaryCombo_, stepSlider_, stepLabel_, saveMapButton_, saveCsvButton_,
             openProjectButton_, fieldLabel_})
        layout->addWidget(widget, widget == stepSlider_ || widget == fieldLabel_ ? 1 : 0);

    ConnectGuarded<RegionResultsPanel>(this, dialogs_,
                                       {{saveMapButton_, &RegionResultsPanel::SaveMapButtonClick},
                                        {saveCsvButton_, &RegionResultsPanel::SaveCsvButtonClick}});
    connect(openProjectButton_, &QPushButton::clicked, this, [this] {
        if (selected_ >= 0) emit OpenProjectRequested(selected_);
    });
    connect(quantityCombo_, &QComboBox::currentIndexChanged, this,
            [this] { RunGuarded(dialogs_, [this] { QuantityChosen(); }); });
    connect(summaryCombo_, &QComboBox::currentIndexChanged, this,
            [this] { RunGuarded(dialogs_, [this] { Recolour(); }); });
    connect(stepSlider_, &QSlider::valueChanged, this, [this] {
        RunGuarded(dialogs_, [this] {
            // Moving the slider shows its step, whatever summary was on view.
            if (summaryCombo_->currentIndex() != kStepItem) {
                summaryCombo_->setCurrentIndex(kStepItem);
                return;
            }
            Recolour();
        });
    });
    return row;
}

namespace {

// The results of path with the quantity of the combo box's item chosen or, when no field has a
// value of it (the zone of another project), with the first of the others that has values;
// chosen becomes that item. Throws the chosen quantity's refusal when none has values.
region::ResultsLayer ReadSomeQuantity(const QString& path, int& chosen) {
    const auto& quantities = study::Quantities();
    try {
        return RegionLibrary::ReadResults(ToNative(path), {quantities[chosen].quantity});
    } catch (const region::MapRequestError&) {
        throw;
    } catch (const HalosoilError&) {
        for (int k = 0; k < static_cast<int>(quantities.size()); ++k) {
            if (k == chosen) continue;
            try {
                region::ResultsLayer read =
                    RegionLibrary::ReadResults(ToNative(path), {quantities[k].quantity});
                chosen = k;
                return read;
            } catch (const HalosoilError&) {
                // Nor of this one.
            }
        }
        throw;
    }
}

}  // namespace

void RegionResultsPanel::Open(const QString& path) {
    int quantity = quantityCombo_->currentIndex();
    region::ResultsLayer read = ReadSomeQuantity(path, quantity);
    {
        const QSignalBlocker quiet(quantityCombo_);
        quantityCombo_->setCurrentIndex(quantity);
    }
    const region::MapLayout layout = RegionLibrary::Layout(read);
    layer_ = std::move(read);
    layout_ = layout;
    path_ = path;
    if (folder_.isEmpty()) folder_ = QFileInfo(path).absolutePath();
    {
        const QSignalBlocker quiet(stepSlider_);
        stepSlider_->setRange(1, std::max(1, layer_.stepCount));
    }
    map_->ShowFields(layer_, layout_);
    selected_ = -1;
    chart_->Clear();
    fieldLabel_->clear();
    Recolour();
}

void RegionResultsPanel::QuantityChosen() {
    if (!HasResults()) return;
    const study::Quantity quantity = study::Quantities()[quantityCombo_->currentIndex()].quantity;
    try {
        region::ResultsLayer read = RegionLibrary::ReadResults(ToNative(path_), {quantity});
        layer_ = std::move(read);
    } catch (const HalosoilError&) {
        // The map keeps the quantity it can show.
        const QSignalBlocker quiet(quantityCombo_);
        for (std::size_t k = 0; k < study::Quantities().size(); ++k)
            if (study::Quantities()[k].quantity == layer_.choice.quantity)
                quantityCombo_->setCurrentIndex(static_cast<int>(k));
        throw;
    }
    Recolour();
}

region::MapChoice RegionResultsPanel::ShownChoice() const {
    region::MapChoice choice;
    choice.quantity = layer_.choice.quantity;
    const int item = summaryCombo_->currentIndex();
    if (item == kStepItem) {
        choice.summary.reset();
        choice.step = stepSlider_->value();
    } else {
        choice.summary = region::kSummaries[item];
    }
    return choice;
}

std::optional<double> RegionResultsPanel::ShownValue(int field) const {
    const region::MapField& shown = layer_.fields.at(static_cast<std::size_t>(field));
    const int item = summaryCombo_->currentIndex();
    if (item != kStepItem) return shown.summaries[item];
    const auto step = static_cast<std::size_t>(stepSlider_->value());
    return step >= 1 && step <= shown.steps.size() ? shown.steps[step - 1] : std::nullopt;
}

region::ResultsLayer RegionResultsPanel::ShownLayer() const {
    region::ResultsLayer shown = layer_;
    shown.choice = ShownChoice();
    for (std::size_t k = 0; k < shown.fields.size(); ++k)
        shown.fields[k].value = ShownValue(static_cast<int>(k));
    return shown;
}

void RegionResultsPanel::Recolour() {
    if (!HasResults()) return;
    const region::RegionServices& services = RegionLibrary::Services();
    const region::MapChoice choice = ShownChoice();
    stepLabel_->setText(summaryCombo_->currentIndex() == kStepItem
                            ? QString("step %1 of %2").arg(choice.step).arg(layer_.stepCount)
                            : QString("%1 steps").arg(layer_.stepCount));
    std::vector<std::optional<double>> shown;
    std::vector<double> values;
    for (int k = 0; k < static_cast<int>(layer_.fields.size()); ++k) {
        shown.push_back(ShownValue(k));
        if (shown.back()) values.push_back(*shown.back());
    }
    classes_ = values.empty() ? region::MapClasses{}
                              : services.quantileClasses(values, region::kDefaultClasses);
    std::vector<QColor> colours;
    for (const std::optional<double>& value : shown)
        colours.push_back(QtColor(value ? classes_.colors[services.classOf(classes_, *value)]
                                        : region::kNoDataColor));
    map_->Colour(colours);

    const study::QuantityInfo& info = study::InfoOf(choice.quantity);
    const QString label = QString::fromStdString(services.choiceLabel(choice));
    legend_->ShowClasses(QString("%1 (%2), %3").arg(info.name, info.unit, label), classes_,
                         services.classLabels(classes_),
                         static_cast<int>(shown.size() - values.size()));
    std::vector<std::string> summaryColumns;
    for (region::Summary summary : region::kSummaries)
        summaryColumns.push_back(services.summaryColumn(choice.quantity, summary));
    table_->ShowFields(layer_, summaryColumns, QString("%1 %2").arg(info.name, label), shown);
    ShowSelectedSeries();
    EnableControls();
}

void RegionResultsPanel::SelectField(int field) {
    if (field < 0 || field >= static_cast<int>(layer_.fields.size())) return;
    selected_ = field;
    map_->Select(field);
    ShowSelectedSeries();
    EnableControls();
}

void RegionResultsPanel::ShowSelectedSeries() {
    if (selected_ < 0) return;
    const region::MapField& field = layer_.fields[static_cast<std::size_t>(selected_)];
    const study::QuantityInfo& info = study::InfoOf(layer_.choice.quantity);
    const QString id = QString::fromStdString(field.id);
    fieldLabel_->setText(QString("Field %1 (%2)").arg(id, QString::fromStdString(field.status)));
    chart_->ShowSeries(QString("Field %1").arg(id), QString("%1 (%2)").arg(info.name, info.unit),
                       field.steps,
                       summaryCombo_->currentIndex() == kStepItem ? stepSlider_->value() : 0);
}

void RegionResultsPanel::EnableControls() {
    const bool shown = HasResults();
    for (QWidget* widget : std::initializer_list<QWidget*>{
             quantityCombo_, summaryCombo_, stepSlider_, saveMapButton_, saveCsvButton_})
        widget->setEnabled(shown);
    openProjectButton_->setEnabled(shown && selected_ >= 0);
}

void RegionResultsPanel::Save(const QString& filter, const QString& extension,
                              const std::function<std::string(const QString&)>& bytesFor) {
    const bool map = extension != "csv";
    const SaveTexts texts = {filter, extension, "The file already exists, overwrite?",
                             map ? "The map was not saved" : "The table was not saved",
                             map ? "The map was saved as  " : "The table was saved as  "};
    SaveThroughDialogs(dialogs_, texts, folder_, folder_,
                       [&](const QString& name) -> std::optional<QString> {
                           try {
                               WriteFileAtomically(ToNative(name), bytesFor(name));
                           } catch (const HalosoilError& error) {
                               return QString::fromStdString(error.what());
                           }
                           return std::nullopt;
                       });
}

void RegionResultsPanel::SaveMapButtonClick() {
    // The map of `halosoil-batch map` for what is on view: its title, legend and scale bar.
    const region::ResultsLayer shown = ShownLayer();
    const region::RegionServices& services = RegionLibrary::Services();
    region::MapStyle style;
    style.title = std::string(study::InfoOf(shown.choice.quantity).name) + ", " +
                  services.choiceLabel(shown.choice);
    Save("PNG pictures (*.png)|*.png|SVG drawings (*.svg)|*.svg", "png",
         [&](const QString& name) -> std::string {
             if (name.endsWith(".svg", Qt::CaseInsensitive)) {
                 SvgCanvas canvas(layout_.width, layout_.height);
                 services.drawMap(canvas, shown, classes_, style, layout_);
                 return canvas.Document();
             }
             QImage picture(layout_.width, layout_.height, QImage::Format_RGB32);
             picture.fill(Qt::white);
             {
                 QtCanvas canvas(picture);
                 services.drawMap(canvas, shown, classes_, style, layout_);
             }
             QByteArray bytes;
             QBuffer buffer(&bytes);
             buffer.open(QIODevice::WriteOnly);
             QImageWriter writer(&buffer, "PNG");
             if (!writer.write(picture)) throw HalosoilError(writer.errorString().toStdString());
             return bytes.toStdString();
         });
}

void RegionResultsPanel::SaveCsvButtonClick() {
    Save("CSV files (*.csv)|*.csv", "csv", [this](const QString&) { return table_->Csv(); });
}

}  // namespace halosoil
