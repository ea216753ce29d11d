// What the main window remembers beside the project record and the input workflow: where the
// output on display comes from, which grid was edited last, and the dialogs' folders. Shared
// by the window, the grid paste and the Output and Graphs pages.
#pragma once

#include <QString>

namespace halosoil {

struct WindowState {
    bool OutputFromRun = false;  // the output on display comes from a run just made
    bool LastEditedHydro = false;
    // The Options menu's "Conserving salt balance": runs and studies take the conserving
    // balance instead of the specified one. Off at start.
    bool ConservingSalt = false;
    // What the last run's salt budget warns of, shown above its output; empty when it holds.
    QString SaltBudgetNote;

    QString StartFolder;          // the working folder at start-up
    QString InputOpenFolder;      // initial folder of the input open dialog
    QString InputSaveFolder;      // initial folder of the input save dialog
    QString OutputOpenFolder;     // initial folder of the output open dialog
    QString OutputFileName;       // the output file chosen with "Open output"
    QString ViewedInputFileName;  // its input file (".inp"), read for the tables and graphs
};

}  // namespace halosoil
