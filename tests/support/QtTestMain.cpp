// Test main for every test binary that uses Qt: one QApplication on the offscreen platform, and
// any unexpected Qt warning fails the running test.

#include "support/QtTestMain.h"

#include <QApplication>
#include <QMutex>
#include <QStringList>
#include <gtest/gtest.h>

#include <map>

namespace {

QMutex expectedMutex;
std::map<QString, int>& Expected() {
    static std::map<QString, int> expected;
    return expected;
}

void FailOnWarning(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    // The offscreen platform says so of window features it lacks; that is no fault of ours.
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    {
        QMutexLocker lock(&expectedMutex);
        for (auto& [fragment, count] : Expected()) {
            if (message.contains(fragment)) {
                ++count;
                return;
            }
        }
    }
    ADD_FAILURE() << "Unexpected Qt message: " << message.toStdString();
}

} // namespace

namespace kq9test {

ExpectQtWarning::ExpectQtWarning(QString fragment) : FFragment(std::move(fragment)) {
    QMutexLocker lock(&expectedMutex);
    Expected()[FFragment] = 0;
}

ExpectQtWarning::~ExpectQtWarning() {
    QMutexLocker lock(&expectedMutex);
    Expected().erase(FFragment);
}

int ExpectQtWarning::Count() const {
    QMutexLocker lock(&expectedMutex);
    auto it = Expected().find(FFragment);
    return it == Expected().end() ? 0 : it->second;
}

} // namespace kq9test

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    qInstallMessageHandler(FailOnWarning);
    return RUN_ALL_TESTS();
}
