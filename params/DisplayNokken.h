#pragma once
// TFormDisplayNokken: the read-only cam display. A grid with a column for each of the 24 cams
// and a row for each of the four outputs lights, for every active cam, the cell in the row of
// its output in the colour of its function; the panels below show the details of the cam under
// the cursor. It shows the store as it is and sends nothing.

#include "app/ActivatedDialog.h"
#include "app/ExportFile.h"

class QBoxLayout;
class QLabel;
class QPushButton;
class QTableWidget;

class TFormDisplayNokken : public TActivatedDialog {
public:
    explicit TFormDisplayNokken(QWidget* parent = nullptr);

    // Cam n is column n - 1, output r row r - 1; the headers hold the cam numbers and the row
    // titles.
    QTableWidget* StringGrid1;
    QLabel *PanelNokNummer, *PanelFunctie, *PanelBron, *PanelAanvang, *PanelSelectAanvang,
        *PanelEinde, *PanelSelectEinde, *PanelHysteresis, *PanelVervroeging;
    QLabel *LabelNokNummer, *LabelFunctie, *LabelBron, *LabelAanvang, *LabelEinde, *LabelHysteresis,
        *LabelVervroeging;
    QPushButton* CmdOpslaanPNG;
    // The save dialog and error box of the button above.
    TExportFile Export{this};

    void FormActivate() override;
    // Shows the details of the cam of the cell (cam `cam`, output `output`).
    void ShowDetails(int cam, int output);
    // The grid of cams as a PNG file.
    void CmdOpslaanPNGClick();

private:
    void CreateControls();
    // The save button on a row of its own at the end of `layout`.
    void CreateExportControls(QBoxLayout* layout);
    void LezenTeksten();
    void FillGrid();
};
