// The two serial settings windows, each with both of its pages, showing the stored port
// settings: the program's own window, and the serial library's setup form (in German with the
// German texts, in English otherwise).

#include "tools/screenshots/Shots.h"

#include "app/InitSerial.h"
#include "app/Settings.h"
#include "comm/LBComm.h"
#include "comm/LBSetupForm.h"

#include <QTabWidget>

namespace {

// Shows the window and grabs each of its pages, then closes it.
void SavePages(TShotContext& context, QDialog& window, QTabWidget& pages, const QString& name) {
    window.show();
    for (int page = 0; page < pages.count(); ++page) {
        pages.setCurrentIndex(page);
        ProcessFor(50);
        context.Save(window, page == 0 ? name : name + QStringLiteral("_extended"));
    }
    window.reject();
}

void SerialSettingsShots(TShotContext& context) {
    // A port of their own: the windows close the port they show.
    TLBComm port;
    ApplyStoredPortSettings(port);
    TFormInitSerial settings(&port);
    SavePages(context, settings, *settings.PageControl1, QStringLiteral("serial_settings"));
    TLBSetupCommForm setup(context.Taal == 2 ? 2 : 1);
    setup.SetLBComm(&port);
    SavePages(context, setup, *setup.PageControl, QStringLiteral("setup_form"));
}

} // namespace

KQ9_SHOTS(30, "serial settings", SerialSettingsShots);
