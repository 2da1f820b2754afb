// The read and write dialogs: their controls, activation, what they show of their sequence,
// how they close, and that their texts fit in every language.

#include "TransferTestSupport.h"

#include "comm/LBComm.h"
#include "params/LeesParSoll.h"
#include "params/SchrijfParSoll.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace kq9test;

namespace {

class ParSollDialogTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(LoadShippedLanguage(1)); }
    void TearDown() override { UnloadLanguage(); }

    TLBComm Port;
};

bool Fits(QWidget* widget) {
    return widget->width() >= widget->minimumSizeHint().width() &&
           widget->height() >= widget->minimumSizeHint().height();
}

} // namespace

TEST_F(ParSollDialogTest, ShowsItsSequenceAndClosesOnlyThroughItsButtons) {
    TFormLeesParSoll form(&Port);
    for (const char* name : {"Panel1", "ProgressBar1", "CmdOK", "CmdAgain", "CmdCancel"})
        EXPECT_NE(form.findChild<QWidget*>(name), nullptr) << name;
    EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint);

    form.Sequence().Mode = 1;
    form.show();
    EXPECT_EQ(form.windowTitle(), "Read setpoints");
    EXPECT_EQ(form.CmdAgain->text(), "Again");
    EXPECT_EQ(form.Sequence().LD100LeesParSoll.ASCIIProtocol(), "rs 1");
    EXPECT_EQ(form.Panel1->text(), "Reading setpoint 1");
    EXPECT_EQ(form.ProgressBar1->maximum(), 48);
    EXPECT_FALSE(form.CmdOK->isEnabled());
    EXPECT_FALSE(form.CmdAgain->isEnabled());
    EXPECT_TRUE(form.CmdCancel->isEnabled());

    Reply(form.Sequence().LD100LeesParSoll, "rs 1 10");
    EXPECT_EQ(form.ProgressBar1->value(), 2);
    // Neither Escape nor a close request closes it; Cancel waits for the outstanding request.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &escape);
    form.close();
    EXPECT_TRUE(form.isVisible());
    form.CmdCancel->click();
    EXPECT_TRUE(form.isVisible());
    Reply(form.Sequence().LD100LeesParSoll, "rs 2 10");
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), mrCancel);

    // Showing it again starts again; a failure is red and leaves Again.
    form.show();
    EXPECT_EQ(form.Sequence().LD100LeesParSoll.ASCIIProtocol(), "rs 1");
    Reply(form.Sequence().LD100LeesParSoll, "er 3");
    Reply(form.Sequence().LD100LeesParSoll, "er 3");
    EXPECT_EQ(form.Panel1->text(), "Unexpected reply: er 3   S[001]");
    EXPECT_EQ(form.Panel1->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(form.Panel1->accessibleDescription(), "error");
    EXPECT_TRUE(form.CmdAgain->isEnabled());
    form.CmdAgain->click();
    EXPECT_NE(form.Panel1->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(form.Panel1->accessibleDescription(), "");
    for (int s = 1; s <= 48; ++s)
        Reply(form.Sequence().LD100LeesParSoll,
              "rs " + std::to_string(s) + " " + std::to_string(s));
    EXPECT_TRUE(form.CmdOK->isEnabled());
    EXPECT_TRUE(form.CmdOK->hasFocus() || form.CmdOK->isDefault());
    form.CmdOK->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), mrOK);
    EXPECT_EQ(form.Sequence().SollBuffer[48], 48);
}

TEST_F(ParSollDialogTest, WriteDialogShowsTheTakeOver) {
    TFormSchrijfParSoll form(&Port);
    form.Sequence().Mode = 0;
    form.Sequence().ParBuffer[5] = -120;
    form.show();
    EXPECT_EQ(form.windowTitle(), "Write parameters");
    TSchrijfParSollSequence& seq = form.Sequence();
    for (int p = 0; p < 400; ++p) {
        if (p == 5) {
            EXPECT_EQ(seq.LD100SchrijfParSoll.ASCIIProtocol(), "wp 5 -120");
        }
        Reply(seq.LD100SchrijfParSoll, seq.LD100SchrijfParSoll.ASCIIProtocol());
    }
    EXPECT_EQ(form.Panel1->text(), "Bereken parameters");
    Reply(seq.LD100BerekenParameters, "bp 57");
    EXPECT_EQ(form.Panel1->text(), "Take-over refused: parameter 57 invalid");
    EXPECT_TRUE(form.CmdOK->isEnabled());
    form.CmdOK->click();
    EXPECT_EQ(form.result(), mrOK);
}

TEST_F(ParSollDialogTest, TextsFitInEveryLanguage) {
    for (int taal = 0; taal < 3; ++taal) {
        ASSERT_TRUE(LoadShippedLanguage(taal));
        for (int mode = 0; mode < 4; ++mode) {
            TFormLeesParSoll lees(&Port);
            TFormSchrijfParSoll schrijf(&Port);
            lees.Sequence().Mode = mode;
            schrijf.Sequence().Mode = mode;
            lees.show();
            schrijf.show();
            // The longest texts each can show: a failure naming a reply and a rejected take-over.
            Reply(lees.Sequence().LD100LeesParSoll, "er 13");
            Reply(lees.Sequence().LD100LeesParSoll, "er 13");
            if (mode != 1) {
                for (int p = 0; p < 400; ++p)
                    Reply(schrijf.Sequence().LD100SchrijfParSoll,
                          schrijf.Sequence().LD100SchrijfParSoll.ASCIIProtocol());
                for (int s = 1; mode != 0 && s <= 48; ++s)
                    Reply(schrijf.Sequence().LD100SchrijfParSoll,
                          schrijf.Sequence().LD100SchrijfParSoll.ASCIIProtocol());
                Reply(schrijf.Sequence().LD100BerekenParameters, "bp 399");
            }
            for (TFormParSollTransfer* form : {static_cast<TFormParSollTransfer*>(&lees),
                                               static_cast<TFormParSollTransfer*>(&schrijf)}) {
                form->layout()->activate();
                for (QWidget* w : std::initializer_list<QWidget*>{form->Panel1, form->CmdOK,
                                                                  form->CmdAgain, form->CmdCancel})
                    EXPECT_TRUE(Fits(w)) << "taal " << taal << " mode " << mode << " "
                                         << w->objectName().toStdString() << " "
                                         << form->Panel1->text().toStdString();
            }
        }
    }
}
