// The linearisation window through its controls: what activation shows of the table, picking a
// point by spin edit and by mouse, editing a point through the service parameter dialog, and
// the settings it hands back.

#include "params/TransferTestSupport.h"

#include "app/GlobalVar.h"
#include "calib/DrawImage.h"
#include "calib/Linearisatie.h"
#include "comm/LBComm.h"
#include "params/ParamDefs.h"
#include "params/ParamService.h"
#include "params/ParamStore.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kq9test;

namespace {

// Stands in for the service parameter dialog: takes the hand-over and stores a new value.
class TServiceStandIn : public QDialog {
public:
    TSelPar Seen;
    int32_t NewValue = 0;

protected:
    void showEvent(QShowEvent* event) override {
        QDialog::showEvent(event);
        Seen = ParamStore().SelPar;
        ParamStore().ParData[Seen.Nummer.toInt()] = NewValue;
        QTimer::singleShot(0, this, &QDialog::accept);
    }
};

class LinearisatieWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ParamStore() = TParamStore();
        GlobalVar() = TGlobalVar();
        ASSERT_TRUE(LoadShippedLanguage(1));
        ParameterDef_lezen();
        TParamStore& store = ParamStore();
        store.ParData[203] = 1;
        store.ParData[248] = 2;
        store.ParData[LinModeParameter] = 2;
        store.ParData[LinSourceParameter] = 1;
        store.ParData[LinCountParameter] = 10;
        for (int k = 1; k <= 10; ++k) {
            store.ParData[LinXParameter(k)] = 100 * (k - 1);
            store.ParData[LinYParameter(k)] = 200 * (k - 1) + (k % 2) * 10;
        }
    }
    void TearDown() override {
        ParamDefs().Free();
        UnloadLanguage();
    }
    void Click(QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, Form.Image1->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Form.Image1, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, at, Form.Image1->mapToGlobal(at),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Form.Image1, &release);
    }
    std::vector<TDrawEllipse> Dots() const { return Form.Image1->Drawing().All<TDrawEllipse>(); }

    TFormLinearisatie Form;
};

} // namespace

TEST_F(LinearisatieWindowTest, ActivationShowsTheTableItsModeAndSource) {
    Form.SpinEdit_GrafiekPunt->setValue(12);
    GlobalVar().Puntgrootte = 3;
    Form.show();
    EXPECT_EQ(Form.windowTitle(), "Linearisation");
    // A point beyond the table's count falls back to the first.
    EXPECT_EQ(Form.SpinEdit_GrafiekPunt->maximum(), 10);
    EXPECT_EQ(Form.SpinEdit_GrafiekPunt->value(), 1);
    EXPECT_EQ(Form.Panel_PX->text(), "0,0");
    EXPECT_EQ(Form.Panel_PY->text(), "0,10");
    EXPECT_EQ(Form.LabelMode->text(), "Linearisation mode");
    EXPECT_EQ(Form.PanelMode->text(), "Point-symmetric");
    EXPECT_EQ(Form.LabelBron->text(), "Lin. X source  (X)");
    EXPECT_EQ(Form.PanelBron->text(), "Actual position");
    EXPECT_TRUE(Form.Image6->isVisible());
    EXPECT_FALSE(Form.Image6->Drawing().All<TDrawLine>().empty());
    EXPECT_EQ(Form.SpinEditDot->value(), 3);
    EXPECT_EQ(Dots().size(), 11u);
    EXPECT_EQ(Dots().back().Fill, TInk::Red);
    EXPECT_EQ(Form.ImageX->Drawing().All<TDrawText>()[2].Text, "90,0");
    // Without the service dialog there is nothing to edit with.
    EXPECT_FALSE(Form.cmdEdit_X->isEnabled());
    Form.close();

    // Mode 0 hides the quadrant picture; an option value past the list leaves the panel empty.
    ParamStore().ParData[LinModeParameter] = 0;
    ParamStore().ParData[LinSourceParameter] = 3;
    Form.show();
    EXPECT_FALSE(Form.Image6->isVisible());
    EXPECT_EQ(Form.PanelMode->text(), "Single-sided");
    EXPECT_EQ(Form.PanelBron->text(), "");
}

TEST_F(LinearisatieWindowTest, APointIsPickedBySpinEditOrNearbyClick) {
    Form.show();
    Form.SpinEdit_GrafiekPunt->setValue(4);
    EXPECT_EQ(Form.SelectedPoint(), 4);
    EXPECT_EQ(Form.Panel_PX->text(), "30,0");
    EXPECT_EQ(Form.Panel_PY->text(), "6,00");
    EXPECT_TRUE(Form.Image1->accessibleDescription().contains("point 4 selected"));

    const QPoint seventh = LinPixel(Form.Table(), Form.Table().Points[6]);
    Click(seventh + QPoint(5, -5));
    EXPECT_EQ(Form.SpinEdit_GrafiekPunt->value(), 7);
    EXPECT_EQ(Form.Panel_PX->text(), "60,0");
    EXPECT_EQ(Dots().back().Bounds.center(), seventh);
    Click(seventh + QPoint(0, 6));
    EXPECT_EQ(Form.SelectedPoint(), 7);
    Click({3, 3});
    EXPECT_EQ(Form.SelectedPoint(), 7);
}

TEST_F(LinearisatieWindowTest, APointIsEditedThroughTheServiceDialog) {
    TServiceStandIn service;
    Form.FormParamService = &service;
    Form.show();
    Form.SpinEdit_GrafiekPunt->setValue(10);
    ASSERT_TRUE(Form.cmdEdit_Y->isEnabled());
    service.NewValue = 5000;
    Form.cmdEdit_Y->click();
    EXPECT_EQ(service.Seen.Nummer, "179");
    EXPECT_EQ(service.Seen.Naam, "Lin. point 10 Y");
    EXPECT_EQ(service.Seen.Waarde, "18,00");
    EXPECT_EQ(ParamStore().ParData[179], 5000);
    EXPECT_EQ(Form.Panel_PY->text(), "50,00");
    EXPECT_EQ(Form.ImageY->Drawing().All<TDrawText>()[0].Text, "50,00");

    service.NewValue = 1200;
    Form.cmdEdit_X->click();
    EXPECT_EQ(service.Seen.Nummer, "149");
    EXPECT_EQ(Form.Panel_PX->text(), "120,0");
    EXPECT_EQ(Form.ImageX->Drawing().All<TDrawText>()[2].Text, "120,0");
}

TEST_F(LinearisatieWindowTest, HelpLinesAndDotSizeRedrawAndAreHandedBack) {
    Form.show();
    const size_t plain = Form.Image1->Drawing().All<TDrawLine>().size();
    Form.CheckHulplijnenXas->setChecked(true);
    EXPECT_EQ(Form.Image1->Drawing().All<TDrawLine>().size(), plain + 11);
    Form.SpinEditDot->setValue(6);
    EXPECT_EQ(Dots()[0].Bounds.width(), 13);
    Form.close();
    EXPECT_TRUE(GlobalVar().Lin_X_hulplijn);
    EXPECT_FALSE(GlobalVar().Lin_Y_hulplijn);
    EXPECT_EQ(GlobalVar().Puntgrootte, 6);
}

TEST_F(LinearisatieWindowTest, TheServiceDialogChecksAndStoresTheValueTyped) {
    TLBComm port;
    TFormParamService service(&port);
    Form.FormParamService = &service;
    Form.show();
    Form.SpinEdit_GrafiekPunt->setValue(2);
    QString caption;
    auto type = [&](const QString& text) {
        QTimer::singleShot(0, &service, [&, text] {
            caption = service.windowTitle();
            service.MaskEditParData->setText(text);
            service.CmdOK->click();
            // A value outside the limits keeps the dialog open with its red text.
            if (service.isVisible())
                service.CmdCancel->click();
        });
    };
    type(QStringLiteral("12,5"));
    Form.cmdEdit_X->click();
    EXPECT_EQ(caption, "[141]   Lin. point 2 X");
    EXPECT_EQ(ParamStore().ParData[141], 125);
    EXPECT_EQ(Form.Panel_PX->text(), "12,5");
    EXPECT_EQ(Form.Table().Points[1].X, 125);

    type(QStringLiteral("99999999"));
    Form.cmdEdit_Y->click();
    EXPECT_EQ(ParamStore().ParData[171], 200);
    EXPECT_EQ(Form.Panel_PY->text(), "2,00");
}
