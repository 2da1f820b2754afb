// The cam display window: its grid's titles, colours and accessible texts, and the panels that
// follow the current cell.

#include "TransferTestSupport.h"

#include "params/DisplayNokken.h"
#include "params/NokkenInfo.h"
#include "params/ParamDefs.h"
#include "params/ParamStore.h"

#include <QLabel>
#include <QTableWidget>
#include <gtest/gtest.h>

using namespace kq9test;

TEST(DisplayNokkenTest, TheGridShowsEachActiveCamAndThePanelsFollowTheCell) {
    ParamStore() = TParamStore();
    ASSERT_TRUE(LoadShippedLanguage(1));
    ParameterDef_lezen();
    TParamStore& store = ParamStore();
    store.ParData[203] = 2;
    store.ParData[CamFunctionParameter(5)] = 2;
    store.ParData[CamOutputParameter(5)] = 3;
    store.ParData[CamStartParameter(5)] = 1234;
    store.ParData[CamFunctionParameter(9)] = 1;
    store.ParData[CamOutputParameter(9)] = 1;

    TFormDisplayNokken form;
    form.show();
    EXPECT_EQ(form.windowTitle(), "Cam overview");
    EXPECT_EQ(form.LabelHysteresis->text(), "Hysteresis");
    QTableWidget* grid = form.StringGrid1;
    EXPECT_EQ(grid->verticalHeaderItem(2)->text(), "Out-3");
    EXPECT_EQ(grid->horizontalHeaderItem(23)->text(), "24");
    QTableWidgetItem* lit = grid->item(2, 4);
    EXPECT_EQ(lit->background().color(), QColor(0, 255, 0));
    EXPECT_EQ(lit->data(Qt::AccessibleDescriptionRole).toString(), "cam 5: function 2 on output 3");
    EXPECT_EQ(grid->item(0, 8)->background().color(), QColor(Qt::red));
    EXPECT_EQ(grid->item(1, 4)->background().style(), Qt::NoBrush);

    grid->setCurrentCell(2, 4);
    EXPECT_EQ(form.PanelNokNummer->text(), "5");
    // A screen reader reads the value as the panel's name, and the quantity with it.
    EXPECT_EQ(form.PanelNokNummer->accessibleName(), "");
    EXPECT_EQ(form.PanelNokNummer->accessibleDescription(), "Cam number");
    EXPECT_EQ(form.PanelFunctie->text(), "From start +");
    EXPECT_EQ(form.PanelAanvang->text(), "12,34");
    EXPECT_EQ(form.PanelSelectAanvang->text(), "Own position");
    EXPECT_EQ(form.PanelEinde->text(), "---");
    grid->setCurrentCell(1, 4);
    EXPECT_EQ(form.PanelNokNummer->text(), "");
    EXPECT_EQ(form.PanelFunctie->text(), "");

    // A function beyond the option list shows no text, not the text of the cam shown before.
    store.ParData[CamFunctionParameter(6)] = 7;
    store.ParData[CamOutputParameter(6)] = 3;
    form.close();
    form.show();
    grid->setCurrentCell(2, 4);
    ASSERT_EQ(form.PanelFunctie->text(), "From start +");
    grid->setCurrentCell(2, 5);
    EXPECT_EQ(form.PanelNokNummer->text(), "6");
    EXPECT_EQ(form.PanelFunctie->text(), "");
    EXPECT_EQ(form.PanelSelectAanvang->text(), "Own position");

    // A cam switched off since the last showing loses its colour.
    store.ParData[CamFunctionParameter(5)] = 0;
    form.close();
    form.show();
    EXPECT_EQ(grid->item(2, 4)->background().style(), Qt::NoBrush);
    ParamDefs().Free();
    UnloadLanguage();
}
