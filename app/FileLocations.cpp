#include "app/FileLocations.h"

#include "app/GlobalVar.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString Folder(const QString& path) {
    QString folder = QDir::cleanPath(path);
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

bool HoldsData(const QString& folder) {
    return QFileInfo(folder + QLatin1String(DataMarkerFile)).isFile();
}

// $XDG_CONFIG_HOME when it is an absolute path (a relative one is to be ignored), else
// ~/.config.
QString UserConfigFolder(const TLocationInputs& inputs) {
    if (QDir::isAbsolutePath(inputs.XdgConfigHome))
        return Folder(inputs.XdgConfigHome);
    return Folder(inputs.UserHome + QStringLiteral("/.config"));
}

} // namespace

TFileLocations FindFileLocations(const TLocationInputs& inputs) {
    if (!inputs.Home.isEmpty()) {
        QString home = Folder(inputs.Home);
        return {home, home, home};
    }
    QString program = Folder(inputs.ProgramDir);
    QString shared = Folder(program + QStringLiteral("../share/kq9"));
    TFileLocations locations;
    locations.DataPath = !HoldsData(program) && HoldsData(shared) ? shared : program;
    if (locations.DataPath == program && inputs.ProgramDirWritable) {
        locations.SettingsPath = program;
        locations.DialogFolder = program;
    } else {
        locations.SettingsPath = UserConfigFolder(inputs) + QStringLiteral("kq9/");
        locations.DialogFolder = Folder(inputs.UserHome);
    }
    return locations;
}

TFileLocations FindFileLocations(const QString& programDir, const QString& home) {
    TLocationInputs inputs;
    inputs.ProgramDir = programDir;
    inputs.Home = home;
    inputs.ProgramDirWritable = QFileInfo(programDir).isWritable();
    inputs.XdgConfigHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    inputs.UserHome = QDir::homePath();
    return FindFileLocations(inputs);
}

void SetFileLocations(const TFileLocations& locations) {
    GlobalVar().ProgramPath = locations.DataPath;
    GlobalVar().SettingsPath = locations.SettingsPath;
}
