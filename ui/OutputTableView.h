// The Output page's table: OutGrid filled with the salinity or the hydrology table under its
// heading, placed as the program has always placed it with "Click table and:" and the buttons
// that copy it to the clipboard or save it as CSV under it, and read back as it stands, the
// user's edits included.
#pragma once

#include <memory>

#include "Dialogs.h"
#include "InputData.h"
#include "OutputTables.h"
#include "RunState.h"

class QBoxLayout;
class QLabel;
class QPushButton;
class QSpacerItem;
class QWidget;

namespace halosoil {

class OutputHeadings;
class StringGrid;

// Where OutGrid and the two controls under it stand for a table, in pixels from the page's
// left edge, and how wide the grid is.
struct TableGeometry {
    int gridLeft;
    int gridWidth;
    int clickLabelLeft;
    int copyButtonLeft;
};

class OutputTableView {
public:
    // The grid, its headings and its controls are made on page.
    explicit OutputTableView(QWidget* page);
    ~OutputTableView();

    // Adds the headings over the grid, "Click table and:" and the buttons under it to the
    // page's layout, each row behind the indent that places it.
    void AddTo(QBoxLayout* layout);

    void ShowSalinity(const InputData& data, const RunState& results);
    void ShowHydrology(const InputData& data, const RunState& results);
    // Hides the grid, its headings and its controls.
    void Hide();
    bool HydrologyShown() const;
    // The grid's cells as they stand, the user's edits included.
    TextTable Table() const;
    // "Copy to clipboard": the table as it stands, and the message that it is there.
    void CopyToClipboard(Dialogs& dialogs) const;

    StringGrid* Grid() const { return grid_; }
    QPushButton* CopyButton() const { return copyButton_; }
    QPushButton* SaveCsvButton() const { return saveCsvButton_; }

private:
    void Show(const TextTable& table, const TableGeometry& geometry);

    StringGrid* grid_ = nullptr;
    std::unique_ptr<OutputHeadings> headings_;
    QLabel* clickLabel_ = nullptr;
    QPushButton* copyButton_ = nullptr;
    QPushButton* saveCsvButton_ = nullptr;
    QSpacerItem* tableIndent_ = nullptr;
    QSpacerItem* clickIndent_ = nullptr;
    QSpacerItem* copyIndent_ = nullptr;
    QBoxLayout* layout_ = nullptr;
};

}  // namespace halosoil
