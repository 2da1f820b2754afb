#include "params/ParamDefs.h"

#include "app/CommaText.h"
#include "app/GlobalVar.h"
#include "app/TextFile.h"
#include "params/ParamStore.h"

#include <QFileInfo>

namespace {

// The file's texts are handed to the reader as UTF-8, whatever the file's own encoding.
bool LoadDefinitionFile(const QString& path, TDefIniFile& ini) {
    QByteArray bytes;
    if (!QFileInfo(path).isFile() || !ReadFileBytes(path, bytes)) {
        ini.Clear();
        return false;
    }
    QByteArray utf8 = DecodeText(bytes).toUtf8();
    ini.LoadFromText(std::string_view(utf8.constData(), utf8.size()));
    return true;
}

std::string Utf8(const QString& text) {
    return text.toStdString();
}

QString LanguageKey(const char* key, int taal) {
    return QString::fromLatin1(key) + QString::number(taal);
}

} // namespace

QString ParameterSection(int nr) {
    return QString::asprintf("%3.3d", nr);
}

bool TParamDefs::LoadParameterDefs(const QString& path) {
    FParameterDefGeladen = LoadDefinitionFile(path, FParameterDefIni);
    return FParameterDefGeladen;
}

bool TParamDefs::LoadParamNo(const QString& path) {
    FParamNoGeladen = LoadDefinitionFile(path, FParamNoIni);
    return FParamNoGeladen;
}

void TParamDefs::Free() {
    FParameterDefIni.Clear();
    FParamNoIni.Clear();
    FParameterDefGeladen = false;
    FParamNoGeladen = false;
}

QString TParamDefs::Text(const QString& section, const QString& key) const {
    return QString::fromStdString(FParameterDefIni.ReadString(Utf8(section), Utf8(key), {}));
}

int32_t TParamDefs::Integer(int nr, const char* key) const {
    return FParameterDefIni.ReadInteger(Utf8(ParameterSection(nr)), key, 0);
}

bool TParamDefs::HasDefinition(int nr) const {
    const std::vector<std::string>* lines =
        FParameterDefIni.SectionLines(Utf8(ParameterSection(nr)));
    return lines && !lines->empty();
}

QString TParamDefs::Naam(int nr) const {
    return Naam(nr, GlobalVar().Taal);
}

QString TParamDefs::Naam(int nr, int taal) const {
    return Text(ParameterSection(nr), LanguageKey("naam", taal));
}

int32_t TParamDefs::Type(int nr) const {
    return Integer(nr, "type");
}

QStringList TParamDefs::Opties(int nr) const {
    return Opties(nr, GlobalVar().Taal);
}

QStringList TParamDefs::Opties(int nr, int taal) const {
    QString key = LanguageKey("opties", taal);
    QStringList options = SplitCommaText(Text(ParameterSection(nr), key));
    QString joined = JoinCommaText(options);
    if (joined.startsWith(u'#'))
        options = SplitCommaText(Text(joined.mid(1), key));
    return options;
}

QString TParamDefs::OptieTekst(int nr, int32_t value) const {
    return OptieTekst(nr, value, GlobalVar().Taal);
}

QString TParamDefs::OptieTekst(int nr, int32_t value, int taal) const {
    return Opties(nr, taal).value(value, NoOptionText);
}

int32_t TParamDefs::Dec(int nr) const {
    return Integer(nr, "dec");
}

int32_t TParamDefs::Min(int nr) const {
    return Integer(nr, "min");
}

int32_t TParamDefs::Max(int nr) const {
    return Integer(nr, "max");
}

int32_t TParamDefs::Default(int nr) const {
    return Integer(nr, "default");
}

int32_t TParamDefs::PageRow(int pageId, int row) const {
    int32_t nr = FParamNoIni.ReadInteger(std::to_string(pageId), "ParId" + std::to_string(row), -1);
    return nr >= 0 && nr < ParameterCount ? nr : -1;
}

QString StoreOptionText(int nr) {
    const TParamDefs& defs = ParamDefs();
    return defs.ParameterDefGeladen() ? defs.Opties(nr).value(ParamStore().ParData[nr]) : QString();
}

TParamDefs& ParamDefs() {
    static TParamDefs instance;
    return instance;
}

void ParameterDef_lezen() {
    ParamDefs().LoadParameterDefs(ProgramFile("Parameters.txt"));
}

void ParamNo_lezen() {
    ParamDefs().LoadParamNo(ProgramFile("ParNo.txt"));
}
