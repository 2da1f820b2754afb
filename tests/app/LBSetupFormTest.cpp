// The library's setup form: its language, OK only on a closed port, the coupling of its hardware
// lists, and OK writing every list to the port.

#include "comm/LBSetupForm.h"
#include "comm/LBComm.h"
#include "comm/LBSetupCommDialog.h"
#include "support/FakeSerialDevice.h"
#include "support/WaitUntil.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace {

// Sets the locale variables for the length of a test.
class TLocale {
public:
    explicit TLocale(const char* lang) {
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
            const char* value = std::getenv(name);
            FSaved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
            unsetenv(name);
        }
        setenv("LANG", lang, 1);
    }
    ~TLocale() {
        for (const auto& [name, value] : FSaved) {
            if (value)
                setenv(name, value->c_str(), 1);
            else
                unsetenv(name);
        }
    }

private:
    std::vector<std::pair<const char*, std::optional<std::string>>> FSaved;
};

// Runs `check` on the form once the dialog shows it, then cancels it.
bool ExecuteAndCheck(TLBSetupCommDialog& dialog, bool english,
                     const std::function<void(TLBSetupCommForm&)>& check) {
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(kq9test::WaitUntil([] { return QApplication::activeModalWidget(); }, 2000));
        auto* form = dynamic_cast<TLBSetupCommForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        check(*form);
        form->CancelButton->click();
    });
    return english ? dialog.ExecuteEnglish() : dialog.Execute();
}

void Pick(QComboBox* combo, int index) {
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

} // namespace

TEST(LBSetupForm, TheDialogShowsTheFormInTheUsersLanguageOrInEnglish) {
    TLocale german("de_DE.UTF-8");
    TLBComm port;
    TLBSetupCommDialog dialog;
    dialog.SetLBComm(&port);
    std::vector<std::string> events;
    dialog.OnShow = [&](TLBSetupCommDialog*) { events.push_back("show"); };
    dialog.OnClose = [&](TLBSetupCommDialog*) { events.push_back("close"); };
    bool ok = ExecuteAndCheck(dialog, false, [&](TLBSetupCommForm& form) {
        events.push_back("check");
        EXPECT_EQ(form.PageControl->tabText(0), QStringLiteral("Anschlußeinstellungen"));
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Serielle Schnittstelle COM 1"));
        EXPECT_EQ(form.CBParitaet->itemText(2), QStringLiteral("Ungerade"));
        EXPECT_EQ(form.CBParitaet->currentText(), QStringLiteral("Gerade"));
        EXPECT_TRUE(form.OKButton->isEnabled());
        EXPECT_TRUE(form.TSErweitert->isEnabled());
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(events, (std::vector<std::string>{"show", "check", "close"}));
    ExecuteAndCheck(dialog, true, [](TLBSetupCommForm& form) {
        EXPECT_EQ(form.PageControl->tabText(0), QStringLiteral("Port configuration"));
        EXPECT_EQ(form.CancelButton->text(), QStringLiteral("Cancel"));
    });
}

TEST(LBSetupForm, OnAnOpenPortItShowsTheSettingsWithOkDisabled) {
    auto device = std::make_shared<TFakeSerialDevice>();
    TLBComm port([device] { return device; });
    port.SetBaudrate(TBaudrate::br28800);
    TLBSetupCommForm form(1);
    EXPECT_FALSE(form.TSAnschluss->isEnabled()) << "nothing to show without a port";
    EXPECT_FALSE(form.OKButton->isEnabled());
    form.SetLBComm(&port);
    port.Open();
    form.show();
    EXPECT_TRUE(form.TSAnschluss->isEnabled());
    EXPECT_EQ(form.CBBaudrate->currentText(), QStringLiteral("28800"));
    EXPECT_FALSE(form.OKButton->isEnabled());
    port.Close();
}

TEST(LBSetupForm, TheHardwareListsFollowThePortsCouplingRulesAndOkWritesThemAll) {
    TLBComm port;
    TLBSetupCommForm form(1);
    form.SetLBComm(&port);
    form.show();
    ASSERT_EQ(form.CBTyp->currentText(), QStringLiteral("RS 232 C"));
    Pick(form.CBHardware, Ord(THardware::PCLabPCL745));
    EXPECT_EQ(form.CBTyp->currentText(), QStringLiteral("RS 485"));
    EXPECT_EQ(form.CBSenden->currentText(), QStringLiteral("Register 7 = 1"));
    EXPECT_EQ(form.CBEmpfangen->currentText(), QStringLiteral("Register 7 = 2"));
    Pick(form.CBTyp, Ord(TPortType::RS422));
    EXPECT_EQ(form.CBHardware->currentIndex(), Ord(THardware::PCLabPCL745)) << "it fits";
    Pick(form.CBSenden, Ord(TTransmitDriver::tdNone));
    EXPECT_EQ(form.CBHardware->currentText(), QStringLiteral("User defined"));
    EXPECT_EQ(form.CBTyp->currentText(), QStringLiteral("RS 422"));
    Pick(form.CBHardware, Ord(THardware::PhoenixPSM));
    EXPECT_EQ(form.CBTyp->currentIndex(), 0);
    EXPECT_EQ(form.CBSenden->currentText(), QStringLiteral("DTR = 0"));

    Pick(form.CBAnschluss, 2);
    EXPECT_EQ(form.CBBereich->currentText(), QStringLiteral("03E8 - 03EF"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Serial port COM 3"));
    Pick(form.CBAnschluss, 5);
    EXPECT_EQ(form.CBBereich->currentIndex(), -1);
    Pick(form.CBBaudrate, Ord(TBaudrate::br115200));
    form.OKButton->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(port.PortName(), TPort::COM6);
    EXPECT_EQ(port.PortAddress(), TPortAddr::pa_03F8) << "COM6 has no address of its own";
    EXPECT_EQ(port.Baudrate(), TBaudrate::br115200);
    EXPECT_EQ(port.Hardware(), THardware::PhoenixPSM);
    EXPECT_EQ(port.TransmitDriver(), TTransmitDriver::tdDTRto0);
}
