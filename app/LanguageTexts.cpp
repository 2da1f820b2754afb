#include "app/LanguageTexts.h"

#include "app/CommaText.h"
#include "app/GlobalVar.h"
#include "app/IniFile.h"
#include "app/TextKeys.h"

#include <QFileInfo>

#include <memory>

namespace {

std::unique_ptr<TIniFile>& LanguageFile() {
    static std::unique_ptr<TIniFile> file;
    return file;
}

} // namespace

QString LanguageFileName(int taal) {
    switch (taal) {
    case 1:
        return QStringLiteral("Taal1.ini");
    case 2:
        return QStringLiteral("Taal2.ini");
    default:
        return QStringLiteral("Taal0.ini");
    }
}

void TekstFile_Lezen() {
    QString path = ProgramFile(LanguageFileName(GlobalVar().Taal));
    if (!QFileInfo(path).isFile())
        return;
    auto file = std::make_unique<TIniFile>();
    if (!file->LoadFromFile(path))
        return;
    LanguageFile() = std::move(file);
    GlobalVar().LanguageFileLoaded = true;
}

void TekstFile_Vrijgeven() {
    LanguageFile().reset();
    GlobalVar().LanguageFileLoaded = false;
}

QString Tekst(const QString& section, const QString& key, const QString& defaultText) {
    const std::unique_ptr<TIniFile>& file = LanguageFile();
    return file ? file->ReadString(section, key, defaultText) : defaultText;
}

QStringList TekstList(const QString& section, const QString& key, const QString& defaultText) {
    return SplitCommaText(Tekst(section, key, defaultText));
}

QString Tekst(const TTextKey& key) {
    return Tekst(QString::fromUtf8(key.Section), QString::fromUtf8(key.Key), Built(key));
}

QString Built(const TTextKey& key) {
    return QString::fromUtf8(key.Default);
}

QStringList TekstList(const TTextKey& key) {
    return SplitCommaText(Tekst(key));
}
