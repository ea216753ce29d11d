// The main window's workflow state beside the project record, shared by the window, its
// input panels and its Output and Graphs pages.
#pragma once

#include <QString>

namespace halosoil {

struct WindowState {
    bool SoilComplete = true;    // the three-layer soil data were complete at their last save
    bool OutputFromRun = false;  // the output on display comes from a run just made
    int SavedDrainChoice = 0;    // 0 "no", 1 "yes" at the last successful drainage save
    bool LastEditedHydro = false;

    QString StartFolder;          // the working folder at start-up
    QString InputOpenFolder;      // initial folder of the input open dialog
    QString InputSaveFolder;      // initial folder of the input save dialog
    QString OutputOpenFolder;     // initial folder of the output open dialog
    QString OutputFileName;       // the output file chosen with "Open output"
    QString ViewedInputFileName;  // its input file (".inp"), read for the tables and graphs
};

}  // namespace halosoil
