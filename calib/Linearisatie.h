#pragma once
// TFormLinearisatie: the linearisation table of the store as a curve. A point is picked with the
// point spin edit or by clicking near it; its X or Y value is edited through the service
// parameter dialog. For the mirror modes a small quadrant picture shows how the curve is
// mirrored. The window itself sends nothing.

#include "app/ActivatedDialog.h"
#include "app/ExportFile.h"
#include "calib/LinearisatieGrafiek.h"

#include <QPointer>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class TDrawImage;

class TFormLinearisatie : public TActivatedDialog {
public:
    explicit TFormLinearisatie(QWidget* parent = nullptr);

    // The service parameter dialog, which edits the parameter in SelPar of the store; the edit
    // buttons work once it is set.
    QPointer<QDialog> FormParamService;

    TDrawImage *Image1, *ImageX, *ImageY, *Image6;
    QLabel *LabelXas, *LabelYas;
    QLabel *LabelQ1, *LabelQ2, *LabelQ3, *LabelQ4, *LabelQX, *LabelQY;
    QFrame *Lijn_X, *Lijn_Y;
    QLabel *LabelGrafiekPunt, *LabelPuntGrootte;
    QSpinBox *SpinEdit_GrafiekPunt, *SpinEditDot;
    QGroupBox *GroupBoxX, *GroupBoxY, *GroupBoxLin;
    QLabel *Panel_PX, *Panel_PY;
    QCheckBox *CheckHulplijnenXas, *CheckHulplijnenYas;
    QLabel *LabelMode, *PanelMode, *LabelBron, *PanelBron;
    QPushButton *cmdEdit_X, *cmdEdit_Y;
    QPushButton* CmdOpslaanPNG;
    // The save dialog and error box of the button above.
    TExportFile Export{this};

    const TLinTable& Table() const { return FTable; }
    int SelectedPoint() const { return FSelected; }

    void FormActivate() override;
    void SetSpinEditGrafiek();
    // Picks the point near the last mouse position over the graph.
    void Image1Click();
    void cmdEdit_XClick() { EditPoint(true); }
    void cmdEdit_YClick() { EditPoint(false); }
    void SpinEditDotChange();
    // The curve with its axis strips and captions as a PNG file.
    void CmdOpslaanPNGClick();

protected:
    void done(int result) override;

private:
    void CreateControls();
    void CreateQuadrant();
    void CreateExportControls(const QRect& area);
    void LezenTeksten();
    void FormClose();
    // Reads the table and draws the axis strips (Ber_en_Teken_XY).
    void Ber_en_Teken_XY();
    void TekenGrafiek();
    void TekenGrafiek_sub();
    void ShowPointPanels();
    void EnableEditButtons();
    void EditPoint(bool x);

    TLinTable FTable;
    std::vector<QPoint> FPositions;
    QPoint FMouse{-1000, -1000};
    int FSelected = 1;
    int FDotSize = 0;
};
