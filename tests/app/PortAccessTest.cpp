// A port the user may not open: the system's text, then which group owns the device and how to
// join it (or that only its owner may use it), in the language of the loaded language file.

#include "app/PortAccess.h"
#include "app/FixtureFiles.h"
#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"
#include "comm/ComNames.h"
#include "comm/CommExceptions.h"
#include "comm/CommTexts.h"
#include "comm/LBComm.h"
#include "comm/OpenFailure.h"
#include "support/FakeSerialDevice.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using kq9test::WriteFixture;

namespace {

class PortAccess : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FDir.isValid());
        GlobalVar() = TGlobalVar();
        TekstFile_Vrijgeven();
        SetProgramPath(FDir.path());
        FDevice = WriteFixture(FDir.path(), "ttyUSB0", "");
        struct stat info {};
        ASSERT_EQ(::stat(FDevice.toLocal8Bit().constData(), &info), 0);
        FGroup = QString::fromLocal8Bit(getgrgid(info.st_gid)->gr_name);
        FOwner = QString::fromLocal8Bit(getpwuid(info.st_uid)->pw_name);
        FUser = QString::fromLocal8Bit(getpwuid(::getuid())->pw_name);
    }
    void TearDown() override {
        SetOpenFailureAdvice(nullptr);
        ResetComDevicePaths();
        TekstFile_Vrijgeven();
        GlobalVar() = TGlobalVar();
    }
    void SetMode(mode_t mode) const { ::chmod(FDevice.toLocal8Bit().constData(), mode); }

    // The message of opening the device through a port whose device refuses with `error`.
    std::string OpenFailure(int error) const {
        SetComDevicePath(TPort::COM1, FDevice.toStdString());
        TLBComm port([error] {
            auto device = std::make_shared<TFakeSerialDevice>();
            device->FailCreate = error;
            return device;
        });
        try {
            port.Open();
        } catch (const ECommHandleError& e) {
            return e.what();
        }
        ADD_FAILURE() << "the port opened";
        return {};
    }

    QTemporaryDir FDir;
    QString FDevice;
    QString FGroup;
    QString FOwner;
    QString FUser;
};

} // namespace

TEST_F(PortAccess, GroupDeviceNamesTheGroupAndHowToJoinIt) {
    SetMode(0660);
    QString advice = PortAccessAdvice(FDevice);
    EXPECT_EQ(advice, QStringLiteral("Alleen leden van de groep %1 mogen %2 openen. Word lid met: "
                                     "sudo usermod -aG %1 %3, en meld u daarna af en weer aan.")
                          .arg(FGroup, FDevice, FUser));

    WriteFixture(FDir.path(), "Taal1.ini",
                 "[Main]\nMsg_GeenToegangGroep=Only members of %2 may open %1 (%3).\n");
    GlobalVar().Taal = 1;
    TekstFile_Lezen();
    EXPECT_EQ(PortAccessAdvice(FDevice),
              QStringLiteral("Only members of %1 may open %2 (%3).").arg(FGroup, FDevice, FUser));
}

TEST_F(PortAccess, DeviceTheGroupMayNotUseNamesItsOwnerInstead) {
    for (mode_t mode : {0600, 0640, 0620}) {
        SetMode(mode);
        QString advice = PortAccessAdvice(FDevice);
        EXPECT_TRUE(advice.startsWith(
            QStringLiteral("Alleen de eigenaar van %1 (%2)").arg(FDevice, FOwner)))
            << std::oct << mode << ": " << advice.toStdString();
    }
    EXPECT_TRUE(PortAccessAdvice(FDir.path() + QStringLiteral("/gone")).isEmpty());
}

TEST_F(PortAccess, RefusedOpenCarriesTheAdviceOtherFailuresOnlyTheSystemText) {
    SetMode(0660);
    InstallPortAccessAdvice();
    EXPECT_EQ(OpenFailure(EACCES),
              SysErrorMessage(EACCES) + '\n' + PortAccessAdvice(FDevice).toStdString());
    EXPECT_EQ(OpenFailure(ENOENT), SysErrorMessage(ENOENT));
    EXPECT_EQ(OpenFailure(EBUSY), SysErrorMessage(EBUSY));
    SetOpenFailureAdvice(nullptr);
    EXPECT_EQ(OpenFailure(EACCES), SysErrorMessage(EACCES));
}
