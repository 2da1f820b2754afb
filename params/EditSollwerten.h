#pragma once
// TFormEditSollwerten: the modal window in which the operator views and edits the 48 setpoints
// of the store, 24 rows with setpoints r and r + 24 side by side. Values are typed straight into
// the grid and confirmed one by one with Enter, which moves on to the next row; Escape gives a
// cell its stored value back. From its menu the window reads the setpoints from the controller,
// writes them, saves and opens setpoint files, and prints them when the print-out is set.

#include "app/ActivatedDialog.h"
#include "params/EditorDialogs.h"

#include <QPointer>

#include <functional>

class QAction;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QTableWidget;
class TFormLeesParSoll;
class TFormSchrijfParSoll;
class TFormVergelijk;
class TLBComm;
class TSollGrid;
class TSollDelegate;

class TFormEditSollwerten : public TActivatedDialog {
public:
    // `port`: the main window's port; Receive and Send need it open.
    explicit TFormEditSollwerten(TLBComm* port, QWidget* parent = nullptr);

    QMenuBar* SollMenu1;
    QMenu *menuBestand, *menuZendenOntvangen;
    QAction *subOpenen, *subOpslaanAls, *subAfdrukken, *subAfsluiten;
    QAction *subParOntvangen, *subParZenden;
    QAction *subVergelijkBestand, *subVergelijkApparaat;
    QTableWidget* StringGrid1;
    // The message line: an invalid entry.
    QLabel* Panel1;

    // The windows this one opens, set once they exist; the item of a window that is not set
    // stays disabled.
    QPointer<TFormLeesParSoll> FormLeesParSoll;
    QPointer<TFormSchrijfParSoll> FormSchrijfParSoll;
    QPointer<QDialog> FormAfdrukkenSoll; // the print-out, modal
    QPointer<TFormVergelijk> FormVergelijk;

    // The unit selected on the main window, named in a saved file's header.
    std::function<int()> SelectedUnit;

    TEditorDialogs Dialogs;

    void EnableWindowMenuItems();
    // The in-place editor of the current cell while a value is being typed, else null.
    QLineEdit* CellEditor() const;

    void FormActivate() override;
    // Shows every setpoint of the store.
    void FillGrid();
    // The keys of the grid, with the in-place editor open or not; true when dealt with here.
    bool StringGrid1KeyDown(QKeyEvent& event);
    bool EditorKeyDown(QLineEdit& editor, QKeyEvent& event);
    // Enter: the text of the current cell becomes its setpoint, or is refused.
    void EnterValue(const QString& text);
    // Escape: the current cell shows its setpoint again.
    void RestoreCell();
    void subOpenenClick();
    void subOpslaanAlsClick();
    void subAfdrukkenClick();
    void subParOntvangenClick();
    void subParZendenClick();
    // The store against the controller's setpoints (read first) or a setpoint file's.
    void subVergelijkApparaatClick();
    void subVergelijkBestandClick();

private:
    void CreateMenu();
    void CreateCompareItems();
    void EnableCompareItems();
    void ApplyCompareTexts();
    // Shows the compare window on what FormVergelijk was given, then the store as it left it.
    void ShowComparison();
    void CreateControls();
    void ApplyTexts();
    // The setpoint of the current cell; 0 outside the value columns.
    int CurrentSetpoint() const;
    void ShowMessage(const QString& text);
    void CloseEditor();
    void OpenEditor(int row, int column);
    // Escape restores the current cell, Enter enters `text` into it; false for other keys.
    bool EscapeOrEnter(const QKeyEvent& event, const QString& text);

    TLBComm* FPort;
    TSollGrid* FGrid;
    TSollDelegate* FDelegate;
    bool FPortOpen = false;
};
