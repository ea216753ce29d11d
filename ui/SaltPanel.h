// What the three measured-salinity panels share: a time-step grid with one column per zone,
// read into the measured-salinity series (an empty or unreadable cell is a missing
// measurement), and the Save and Cancel steps.
#pragma once

#include <QFrame>
#include <QStringList>

class QPushButton;

namespace halosoil {

class MainForm;
class StringGrid;

class SaltPanel : public QFrame {
    Q_OBJECT
public:
    struct Texts {
        QString heading;
        QString rootZoneLabel;  // over the root-zone layers; empty with one layer
        QStringList columnLabels;
        QString note;
        QString firstPassMessage;
    };
    SaltPanel(MainForm& form, int layers, const Texts& texts, QWidget* parent);

    int Layers() const { return layers_; }

    virtual void SaveButtonClick();
    virtual void QuitButtonClick();

    StringGrid* Grid = nullptr;
    QPushButton* QuitButton = nullptr;
    QPushButton* SaveButton = nullptr;

protected:
    MainForm& form_;

private:
    int layers_;
    QString firstPassMessage_;
};

}  // namespace halosoil
