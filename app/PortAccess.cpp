#include "app/PortAccess.h"

#include "app/LanguageTexts.h"
#include "app/TextKeys.h"
#include "comm/OpenFailure.h"

#include <cerrno>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace {

QString GroupName(gid_t gid) {
    std::vector<char> buffer(16384);
    group entry{};
    group* found = nullptr;
    if (getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        return QString::fromLocal8Bit(found->gr_name);
    return QString::number(gid);
}

QString UserName(uid_t uid) {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        return QString::fromLocal8Bit(found->pw_name);
    return QString::number(uid);
}

} // namespace

QString PortAccessAdvice(const QString& devicePath) {
    struct stat info {};
    if (::stat(devicePath.toLocal8Bit().constData(), &info) != 0)
        return {};
    constexpr mode_t GroupReadWrite = S_IRGRP | S_IWGRP;
    // Joining the group helps only when the group itself may use the device.
    if ((info.st_mode & GroupReadWrite) == GroupReadWrite)
        return Tekst(TextKey::Main::Msg_GeenToegangGroep)
            .arg(devicePath, GroupName(info.st_gid), UserName(::getuid()));
    return Tekst(TextKey::Main::Msg_GeenToegangEigenaar).arg(devicePath, UserName(info.st_uid));
}

void InstallPortAccessAdvice() {
    SetOpenFailureAdvice([](const std::string& devicePath, int error) {
        if (error != EACCES)
            return std::string();
        return PortAccessAdvice(QString::fromStdString(devicePath)).toStdString();
    });
}
