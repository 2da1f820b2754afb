#include "app/GlobalVar.h"

TGlobalVar& GlobalVar() {
    static TGlobalVar instance;
    return instance;
}

void SetProgramPath(const QString& directory) {
    QString path = directory;
    if (!path.endsWith(u'/'))
        path += u'/';
    GlobalVar().ProgramPath = path;
    GlobalVar().SettingsPath = path;
}

QString ProgramFile(const QString& name) {
    return GlobalVar().ProgramPath + name;
}
