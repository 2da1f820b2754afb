#pragma once
// TFormEditParam: the modal window in which the operator browses and changes the parameter set
// of the store. The tree lists the groups and subgroups of the group tree; the grid shows one
// page of up to 18 parameters; the status bar shows the selected parameter's limits and
// default. Values are changed one at a time in the service-parameter dialog. From its menu the
// window reads the whole set from the controller, writes it, saves and opens parameter files,
// loads the defaults, and opens the loader and the windows that are set below.

#include "app/ActivatedDialog.h"
#include "params/EditParamPage.h"
#include "params/EditorDialogs.h"
#include "params/ParamSearch.h"

#include <QPointer>

#include <functional>

class QAction;
class QBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QMenuBar;
class QPushButton;
class QStatusBar;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;
class TFormInfoErrorNummers;
class TFormLeesParSoll;
class TFormParLoader;
class TFormParamService;
class TFormSchrijfParSoll;
class TFormVergelijk;
class TLBComm;
struct TParamRow;

class TFormEditParam : public TActivatedDialog {
public:
    // `port`: the main window's port; Receive, Send and the loader need it open.
    explicit TFormEditParam(TLBComm* port, QWidget* parent = nullptr);

    QMenuBar* ParamMenu1;
    QMenu *menuBestand, *menuZendenOntvangen, *menuVenster, *menuHelp;
    QAction *subOpenen, *subOpslaanAls, *subLaadDefault, *subAfdrukken, *subAfsluiten;
    QAction *subParOntvangen, *subParZenden, *subLoader;
    QAction *subNokkenInfo, *subLinearisatie, *subErrorNummers;
    QAction *subVergelijkBestand, *subVergelijkApparaat;
    // The search field and its hits, which stand in the tree's place while the field holds text.
    QLineEdit* EditZoeken;
    QListWidget* ListZoeken;
    QTreeWidget* TreeView1;
    QTableWidget* StringGrid1;
    QPushButton* CmdClear;
    QStatusBar* StatusBar1;
    // "Min:", minimum, "Max:", maximum, "Default:", default, spare.
    QLabel* StatusPanel[7];

    // The page shown: group and subgroup (0 for the root, 0 for a whole group).
    int32_t Groep = 0;
    int32_t Subgroep = 0;
    // The decimals code of the selected parameter.
    int32_t DecCode = 0;
    // A single value was sent to the controller, which has not been told since to take the
    // parameters over.
    bool ParGezonden = false;

    // The windows this one opens, set once they exist. The item of a window that is not set
    // stays disabled.
    QPointer<TFormLeesParSoll> FormLeesParSoll;
    QPointer<TFormSchrijfParSoll> FormSchrijfParSoll;
    QPointer<TFormParamService> FormParamService;
    QPointer<TFormParLoader> FormParLoader;
    QPointer<TFormVergelijk> FormVergelijk;
    QPointer<QDialog> FormAfdrukkenPar;  // the print-out, modal
    QPointer<QDialog> FormDisplayNokken; // the cam display, modal
    QPointer<QDialog> FormLinearisatie;  // the linearisation window, modal
    // The error numbers, shown without waiting; the window is lent to this modal one meanwhile.
    QPointer<TFormInfoErrorNummers> FormInfoErrorNummers;

    // The unit selected on the main window, named in a saved file's header.
    std::function<int()> SelectedUnit;
    // The main window's function labels show the store: refreshed after it changed here and
    // whenever this window closes or tries to.
    std::function<void()> OnFunctieTeksten;

    TEditorDialogs Dialogs;

    // Enables the menu items of the windows that are set (the port-dependent ones only while
    // the port was open at activation).
    void EnableWindowMenuItems();

    void FormActivate() override;
    // Shows page (Groep, Subgroep) from the store; after every change of the store made here.
    void FillPage();
    // The page a node stands for, or the empty root page without one.
    void TreeView1Change(QTreeWidgetItem* node);
    // The parameter of grid row `row` (0 … 17) becomes SelPar and shows in the status bar.
    void StringGrid1SelectCell(int row);
    // Opens the service-parameter dialog for the selected row's parameter.
    void StringGrid1DblClick();
    void CmdClearClick();
    void subOpenenClick();
    void subOpslaanAlsClick();
    void subLaadDefaultClick();
    void subAfdrukkenClick();
    void subParOntvangenClick();
    void subParZendenClick();
    void subLoaderClick();
    void subNokkenInfoClick();
    void subLinearisatieClick();
    void subErrorNummersClick();
    // The store against the controller's parameters (read first) or a parameter file's.
    void subVergelijkApparaatClick();
    void subVergelijkBestandClick();
    // The hits of the search field's text, shown in the list.
    void EditZoekenChange();
    // Shows the hit's page with its row selected; a parameter on no page is edited at once.
    void ListZoekenSelect(QListWidgetItem* item);
    // Whether the window may close: asks first when a value was sent but not taken over.
    bool FormCloseQuery();
    // Closing the window, by its menu, its close box or Escape: only when FormCloseQuery agrees.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateMenu();
    void CreateCompareItems();
    void EnableCompareItems();
    void CreateControls();
    // The search field and its list, above the tree in `left`.
    void CreateSearchControls(QBoxLayout* left);
    void ApplyCompareTexts();
    // Notes the pages of the loaded tree for the search and empties the field.
    void ResetSearch();
    void ShowSearchHit(const TParamSearchHit& hit);
    // Opens the service-parameter dialog for the parameter of `row`.
    void EditParameter(const TParamRow& row);
    // Shows the compare window on what FormVergelijk was given, then the store as it left it.
    void ShowComparison();
    void ApplyTexts();
    void LoadTree();
    void ClearLimitPanels();
    void FunctieTeksten();

    TLBComm* FPort;
    TParamPage FPage;
    TParamSearch FSearch;
    bool FPortOpen = false;
};
