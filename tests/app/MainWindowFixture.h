#pragma once
// The main window on a scripted controller: every test gets a fresh program folder with small
// fixture files, a fresh store and shared settings, and a device that answers commands from a
// table the test fills.

#include "app/KX71Main.h"
#include "comm/QtHandover.h"
#include "params/LeesParSoll.h"
#include "params/SchrijfParSoll.h"
#include "support/FakeSerialDevice.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <mutex>

// The read and write windows, made for the main window and handed to it.
struct TTransferWindows {
    explicit TTransferWindows(TFormMain& form);
    TFormLeesParSoll Lees;
    TFormSchrijfParSoll Schrijf;
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the main window with these command-line arguments.
    TFormMain& Start(const QStringList& arguments = {QStringLiteral("kq9")});
    // Opens the port and waits until the identification chain has finished.
    void OpenAndIdentify();
    // The reply to `command` (without CR); an empty reply makes the device silent for it.
    void Answer(const std::string& command, const std::string& reply);
    // Every "rp n" answered with `value`.
    void AnswerEveryParameter(int value);
    void WriteFile(const QString& name, const QByteArray& contents);
    // The commands written so far, without their CR.
    std::vector<std::string> Commands() const;
    size_t CountOf(const std::string& command) const;

    QTemporaryDir Home;
    std::shared_ptr<TFakeSerialDevice> Device = std::make_shared<TFakeSerialDevice>();
    std::unique_ptr<TFormMain> Form;

private:
    std::unique_ptr<TQtHandover> FHandover;
    mutable std::mutex FMutex;
    std::map<std::string, std::string> FReplies;
};
