// Ending the program by a signal while windows are open in front of the main window: they close
// first, whatever waited for them returns, and then the main window closes once, with the port
// closed and the settings written once, however many signals come.

#include "MainWindowFixture.h"

#include "app/GlobalVar.h"
#include "app/OrderlyClose.h"
#include "app/TermSignals.h"
#include "support/WaitUntil.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTimer>

#include <csignal>
#include <cstring>
#include <functional>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

// Counts the times a file in `folder` named `name` is put in place: made, or renamed or linked
// over the old one as an atomic save does.
class TWriteCounter {
public:
    TWriteCounter(const QString& folder, const char* name) : FName(name) {
        FFd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        ::inotify_add_watch(FFd, folder.toLocal8Bit().constData(), IN_CREATE | IN_MOVED_TO);
    }
    ~TWriteCounter() { ::close(FFd); }
    int Count() {
        alignas(inotify_event) char buffer[4096];
        ssize_t n;
        while ((n = ::read(FFd, buffer, sizeof buffer)) > 0) {
            for (char* at = buffer; at < buffer + n;) {
                auto* event = reinterpret_cast<inotify_event*>(at);
                if (event->len > 0 && std::strcmp(event->name, FName) == 0)
                    ++FCount;
                at += sizeof(inotify_event) + event->len;
            }
        }
        return FCount;
    }

private:
    const char* FName;
    int FFd = -1;
    int FCount = 0;
};

} // namespace

TEST_F(MainWindowTest, ASignalClosesTheWindowsInFrontFirstThenTheMainWindowOnce) {
    TFormMain& form = Start();
    form.show();
    OpenAndIdentify();
    TTermSignals termSignals;
    TOrderlyClose orderlyClose(form);
    termSignals.OnTerminate = [&] { orderlyClose.Request(); };
    ASSERT_TRUE(QDir().mkpath(GlobalVar().SettingsPath));
    TWriteCounter writes(GlobalVar().SettingsPath, "application.ini");

    // The device search as the menu opens it: the port closed while it is shown, opened again
    // when it closes; a message box of the search in front of it, and the signals while the box
    // is up. Each window runs its own event loop inside the one before, so all of it runs from
    // timers; the guard ends the loops should the close not come.
    QDialog search(&form);
    form.FormApparaatZoeken = &search;
    bool boxUp = false, boxReturned = false, guardNeeded = false;
    // Each step waits for the window before it to be in front: closing the port lets events
    // through before the search is shown.
    auto whenInFront = [](QTimer& timer, QWidget* window, const std::function<void()>& step) {
        QObject::connect(&timer, &QTimer::timeout, [&timer, window, step] {
            if (QApplication::activeModalWidget() != window)
                return;
            timer.stop();
            step();
        });
        timer.start(10);
    };
    QTimer searchUp, boxUpTimer;
    whenInFront(searchUp, &search, [&] {
        QMessageBox box(QMessageBox::Warning, QString(), QStringLiteral("Comm Error"),
                        QMessageBox::Ok, &search);
        whenInFront(boxUpTimer, &box, [&] {
            boxUp = search.isVisible();
            std::raise(SIGTERM);
            std::raise(SIGHUP);
        });
        box.exec();
        boxReturned = true;
    });
    QTimer::singleShot(0, &form, [&] { form.KX71zoekenClick(); });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        while (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            guardNeeded = true;
            modal->done(QDialog::Rejected);
        }
    });
    guard.start(10000);

    ASSERT_TRUE(kq9test::WaitUntil([&] { return boxReturned && !form.isVisible(); }, 15000));
    EXPECT_FALSE(guardNeeded);
    EXPECT_TRUE(boxUp);
    EXPECT_TRUE(boxReturned);
    EXPECT_FALSE(search.isVisible());
    // The search's caller opened the port again before the main window closed it for good.
    EXPECT_GE(CountOf("sc 0"), 2u);
    EXPECT_FALSE(form.LBComm1.Active());
    kq9test::ProcessFor(100);
    EXPECT_EQ(writes.Count(), 1);

    // Asked to close again, by the menu or a last signal: nothing more is written.
    form.Exit1->trigger();
    std::raise(SIGINT);
    kq9test::ProcessFor(100);
    EXPECT_EQ(writes.Count(), 1);
    termSignals.OnTerminate = nullptr;
}
