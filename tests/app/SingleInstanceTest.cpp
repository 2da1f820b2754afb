// One instance per user: a later start finds the first one and asks it to come forward.

#include "app/SingleInstance.h"
#include "comm/QtHandover.h"
#include "support/WaitUntil.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(SingleInstance, ALaterStartAsksTheFirstToComeForward) {
    TQtHandover handover;
    SetUiHandover(&handover);
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    int requests = 0;
    TSingleInstance first(QStringLiteral("Test tool"));
    first.OnActivateRequest = [&] { ++requests; };
    ASSERT_TRUE(first.BecomeFirst());

    TSingleInstance second(QStringLiteral("Test tool"));
    EXPECT_FALSE(second.BecomeFirst());
    EXPECT_TRUE(kq9test::WaitUntil([&] { return requests == 1; }, 3000));

    // Another title is another program.
    TSingleInstance other(QStringLiteral("Other tool"));
    EXPECT_TRUE(other.BecomeFirst());
    qunsetenv("XDG_RUNTIME_DIR");
    SetUiHandover(nullptr);
}
