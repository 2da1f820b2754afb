#include "print/PrintTexts.h"

#include "app/GlobalVar.h"
#include "app/LanguageTexts.h"
#include "app/TextKeys.h"

#include <QDate>
#include <QLocale>

namespace {

QString Loaded(const TTextKey& key) {
    return GlobalVar().LanguageFileLoaded ? Tekst(key) : QString();
}

} // namespace

std::array<QString, 3> BuiltAfdrukLabels() {
    return {QStringLiteral("Firma:"), QStringLiteral("Type:"), QStringLiteral("Serie nummer:")};
}

std::array<QString, 3> AfdrukLabels() {
    using namespace TextKey::Afdrukken;
    if (!GlobalVar().LanguageFileLoaded)
        return BuiltAfdrukLabels();
    return {Tekst(LabelFirma), Tekst(LabelType), Tekst(LabelSn)};
}

QString PageWordText() {
    return Loaded(TextKey::Afdrukken::TekstPagina);
}

std::array<QString, 5> ParameterColumnTexts() {
    using namespace TextKey::EditParam;
    return {Loaded(KolomTekst0), Loaded(KolomTekst1), Loaded(KolomTekst2), Loaded(KolomTekst3),
            Loaded(KolomTekst4)};
}

std::array<QString, 2> SollwertColumnTexts() {
    // The setpoint editor shows other built-in titles for the same keys.
    using namespace TextKey::EditSollwert;
    return {Loaded(WithDefault(Kolomtekst_no, "tekst 0")),
            Loaded(WithDefault(Kolomtekst_waarde, "tekst 1"))};
}

QString SollwertTitle() {
    return Loaded(TextKey::Afdrukken::NaamSoll);
}

QString TodayText() {
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
}

TPrintHeader PrintHeaderFromSettings(const std::array<QString, 3>& labels) {
    const TGlobalVar& settings = GlobalVar();
    return {labels, {settings.Firma, settings.Type, settings.Sn}, TodayText(), PageWordText()};
}
