#include "GraphPage.h"

#include "ActionGuard.h"

#include <QBuffer>
#include <QButtonGroup>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageWriter>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <exception>

#include "DrawGraph.h"
#include "DrawingRecorder.h"
#include "GraphFile.h"
#include "GraphFrame.h"
#include "GraphTypeNames.h"
#include "NativeFileName.h"
#include "OutputFileName.h"
#include "PanelWidgets.h"
#include "QtCanvas.h"
#include "SaveThroughDialogs.h"

namespace halosoil {

namespace {

const QString kOpenFilter = "bitmap files (*.bmp)|*.bmp";
const QString kBitmapExtension = "bmp";
const QString kNoGraphicsFile = "No graphics file was selected";
const QString kPictureMissing = "Picture file does not exist, please select another one.";

// The object names of the graph types' radio buttons, in the order of GraphType; their
// captions are those of kGraphTypeNames, which halosoil-batch shares.
constexpr const char* kTypeButtonNames[kGraphTypeCount] = {
    "GraphHydrRadioButton", "SurfHydrRadioButton",  "SubSurfHydrRadioButton",
    "GraphWTRadioButton",   "GraphSaltRadioButton", "SalFirstRadioButton",
    "SalSecondRadioButton", "SalThirdRadioButton",  "SalBelowRadioButton",
};
static_assert(
    [] {
        for (int t = 0; t < kGraphTypeCount; ++t)
            if (kGraphTypeNames[t].type != static_cast<GraphType>(t)) return false;
        return true;
    }(),
    "kGraphTypeNames stands in the order of GraphType");
constexpr int kSecondLayerButton = static_cast<int>(GraphType::SalinitySecondLayer);
constexpr int kThirdLayerButton = static_cast<int>(GraphType::SalinityThirdLayer);

}  // namespace

GraphPage::GraphPage(OutputOnView view, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), view_(view), dialogs_(dialogs) {
    BuildPage();
}

QGroupBox* GraphPage::BuildGraphPanel() {
    auto* panel = new QGroupBox("Select graph type", this);
    panel->setObjectName("GraphPanel");
    auto* layout = new QVBoxLayout(panel);
    typeGroup_ = new QButtonGroup(panel);
    for (int t = 0; t < kGraphTypeCount; ++t) {
        auto* button = new QRadioButton(kGraphTypeNames[t].caption, panel);
        button->setObjectName(kTypeButtonNames[t]);
        typeGroup_->addButton(button, t);
        typeButtons_[t] = button;
        layout->addWidget(button);
    }
    typeButtons_[0]->setChecked(true);
    goButton_ = MakeButton(panel, "GoButton", "Go");
    layout->addWidget(goButton_, 0, Qt::AlignLeft);
    connect(goButton_, &QPushButton::clicked, this,
            [this] { RunGuarded(dialogs_, [this] { GoButtonClick(); }); });
    return panel;
}

void GraphPage::BuildPage() {
    graphImage_ = new QLabel(this);
    graphImage_->setObjectName("GraphImage");
    graphImage_->setMinimumSize(kGraphWidth, kGraphHeight);
    graphImage_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    graphPanel_ = BuildGraphPanel();
    graphPanel_->hide();

    // The picture and the selection panel take turns in the same place.
    auto* area = new QGridLayout;
    area->addWidget(graphImage_, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    area->addWidget(graphPanel_, 0, 0, Qt::AlignLeft | Qt::AlignTop);

    selectGraphButton_ = MakeButton(this, "SelectGraphButton", "Select graph");
    saveGraphButton_ = MakeButton(this, "SaveGraphButton", "Save graph");
    makeGraphButton_ = MakeButton(this, "MakeGraphButton", "Make graph");
    openGraphButton_ = MakeButton(this, "OpenGraphButton", "Open graph");
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button :
         {selectGraphButton_, saveGraphButton_, makeGraphButton_, openGraphButton_})
        buttons->addWidget(button);
    buttons->addStretch();
    SetGraphButtons(false);

    auto* page = new QHBoxLayout(this);
    page->addLayout(area, 1);
    page->addLayout(buttons);

    ConnectGuarded<GraphPage>(this, dialogs_,
                              {
                                  {selectGraphButton_, &GraphPage::SelectGraphButtonClick},
                                  {saveGraphButton_, &GraphPage::SaveGraphButtonClick},
                                  {makeGraphButton_, &GraphPage::MakeGraphButtonClick},
                                  {openGraphButton_, &GraphPage::OpenGraphButtonClick},
                              });
}

std::optional<GraphType> GraphPage::CheckedType() const {
    const int id = typeGroup_->checkedId();
    if (id < 0) return std::nullopt;
    return static_cast<GraphType>(id);
}

void GraphPage::SetGraphButtons(bool enabled) {
    saveGraphButton_->setEnabled(enabled);
    selectGraphButton_->setEnabled(enabled);
}

void GraphPage::SeeGraphs() {
    graphPanel_->show();
    graphImage_->hide();
    SetGraphButtons(false);
    OfferTheLayersThatExist();
}

void GraphPage::OfferTheLayersThatExist() {
    typeButtons_[kSecondLayerButton]->setEnabled(true);
    typeButtons_[kThirdLayerButton]->setEnabled(true);

    const int layers = LayerCount(view_.data);
    std::vector<int> absent;
    if (layers == 1) absent = {kSecondLayerButton, kThirdLayerButton};
    if (layers == 2) absent = {kThirdLayerButton};
    // An exclusive group keeps its checked button; uncheck through a non-exclusive moment.
    typeGroup_->setExclusive(false);
    for (int button : absent) {
        typeButtons_[button]->setEnabled(false);
        typeButtons_[button]->setChecked(false);
    }
    typeGroup_->setExclusive(true);
}

void GraphPage::DisableGraphButtons() {
    SetGraphButtons(false);
}

void GraphPage::HideForOpenedOutput() {
    graphImage_->hide();
    graphPanel_->hide();
    SetGraphButtons(false);
}

void GraphPage::ShowSelectionForNewOutput() {
    graphImage_->hide();
    SetGraphButtons(false);
    // The newly opened output may have fewer layers than the one seen before: a graph of a
    // layer it does not have would show nothing but zeros.
    OfferTheLayersThatExist();
    graphPanel_->show();
}

void GraphPage::SelectGraphButtonClick() {
    graphPanel_->show();
    graphImage_->hide();
    SetGraphButtons(false);
}

void GraphPage::MakeGraphButtonClick() {
    emit MakeGraphClicked();
}

QString GraphPage::OutputFileName() const {
    if (view_.window.OutputFromRun) return FromNative(OutputFileNameFor(view_.data.InputFileName));
    return view_.window.OutputFileName;
}

bool GraphPage::ReadOutput() {
    return ReadOutputOnView(view_, OutputFileName(), dialogs_);
}

void GraphPage::GoButtonClick() {
    SetGraphButtons(true);
    if (!ReadOutput()) return;
    const std::optional<GraphType> type = CheckedType();
    if (!type) return;

    graphPanel_->hide();
    QImage picture = QtCanvas::NewGraphImage();
    std::shared_ptr<DrawingRecorder> drawing;
    {
        QtCanvas canvas(picture);
        drawing = std::make_shared<DrawingRecorder>(canvas);
        // Whether a zone has a coefficient is told by the file on display, as read just now.
        DrawGraph(*drawing, *type, GraphSource{view_.data, view_.results, view_.readBack});
    }
    ShowPicture(picture);
    // Kept for saving the graph as vectors.
    drawing_ = drawing;
    graphImage_->show();
}

void GraphPage::ShowPicture(const QImage& picture) {
    picture_ = picture;
    graphImage_->setPixmap(QPixmap::fromImage(picture_));
}

QString GraphPage::DialogFolder() const {
    return graphFolder_.isEmpty() ? view_.window.StartFolder : graphFolder_;
}

void GraphPage::RememberFolder(const QString& fileName) {
    graphFolder_ = QFileInfo(fileName).absolutePath();
}

void GraphPage::SaveGraphButtonClick() {
    // Two blanks before the file name, as users have always read it.
    const SaveTexts texts = {kGraphSaveFilter, kBitmapExtension,
                             "The graph already exists, overwrite?", "The graph was not saved",
                             "The graph was saved as  "};
    // Written beside the target and renamed over it, so that a failed write leaves an
    // existing file as it was.
    SaveThroughDialogs(dialogs_, texts, view_.window.StartFolder, graphFolder_,
                       [this](const QString& name) -> std::optional<QString> {
                           const QString reason = WriteGraphFile(name, picture_, drawing_.get());
                           if (reason.isEmpty()) return std::nullopt;
                           return reason;
                       });
}

void GraphPage::OpenGraphButtonClick() {
    const std::optional<QString> chosen =
        dialogs_.OpenFile({kOpenFilter, kBitmapExtension, DialogFolder()});
    if (!chosen) {
        dialogs_.Message(kNoGraphicsFile);
        return;
    }
    RememberFolder(*chosen);
    if (!QFileInfo::exists(*chosen)) {
        dialogs_.Message(kPictureMissing);
        return;
    }
    QImage picture;
    if (!picture.load(*chosen, "BMP")) {
        dialogs_.Message("The file " + *chosen + " is not a valid bitmap.");
        return;
    }
    // The picture replaces the old one where it stands: seen at once when the image is on
    // display, kept out of sight when the selection panel is.
    ShowPicture(picture);
    drawing_.reset();
}

}  // namespace halosoil
