// The Graphs page: the graph picture, the selection of the nine graph types, saving the
// picture as a bitmap and opening a saved one.
#pragma once

#include <QImage>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>

#include "Dialogs.h"
#include "GraphType.h"
#include "OutputOnView.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace halosoil {
class DrawingRecorder;
}

namespace halosoil {

class GraphPage : public QWidget {
    Q_OBJECT
public:
    GraphPage(OutputOnView view, Dialogs& dialogs, QWidget* parent = nullptr);

    // "See graphs" on the Output page, without the page switch: show the selection panel,
    // hide the picture, disable "Save graph" and "Select graph", set the layer buttons.
    void SeeGraphs();
    // Disable "Save graph" and "Select graph" (an input file was opened).
    void DisableGraphButtons();
    // An output file was opened: hide the picture and the selection panel, disable "Select
    // graph" and "Save graph".
    void HideForOpenedOutput();
    // The end of "Make graph": hide the picture, disable "Select graph" and "Save graph", show
    // the selection panel.
    void ShowSelectionForNewOutput();

    // The handlers of the page's buttons.
    void GoButtonClick();
    void SelectGraphButtonClick();
    void SaveGraphButtonClick();
    void OpenGraphButtonClick();
    void MakeGraphButtonClick();

    // The picture as drawn or opened, what "Save graph" writes.
    const QImage& Picture() const { return picture_; }
    // The checked graph type; nothing when no type is checked.
    std::optional<GraphType> CheckedType() const;

signals:
    void MakeGraphClicked();

private:
    // Enables the graph types of the root-zone layers the project has, unchecking the others.
    void OfferTheLayersThatExist();
    void BuildPage();
    QGroupBox* BuildGraphPanel();
    // The output file the graphs read: the one of the last run, or the one opened.
    QString OutputFileName() const;
    bool ReadOutput();
    void ShowPicture(const QImage& picture);
    void SetGraphButtons(bool enabled);
    QString DialogFolder() const;
    void RememberFolder(const QString& fileName);

    OutputOnView view_;
    Dialogs& dialogs_;

    QImage picture_;
    // The calls that drew the picture; none when the picture was opened from a file.
    std::shared_ptr<DrawingRecorder> drawing_;
    QString graphFolder_;
    QLabel* graphImage_ = nullptr;
    QGroupBox* graphPanel_ = nullptr;
    QButtonGroup* typeGroup_ = nullptr;
    std::array<QRadioButton*, kGraphTypeCount> typeButtons_{};
    QPushButton* goButton_ = nullptr;
    QPushButton* selectGraphButton_ = nullptr;
    QPushButton* saveGraphButton_ = nullptr;
    QPushButton* makeGraphButton_ = nullptr;
    QPushButton* openGraphButton_ = nullptr;
};

}  // namespace halosoil
