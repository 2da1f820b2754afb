#include "params/SingleParamReplies.h"

#include "app/LanguageTexts.h"
#include "app/TextKeys.h"

#include <QStringList>

namespace {

// Replies longer than this are not read.
constexpr size_t ReplyLimit = 100;

std::string ReplyText(const std::string& reply) {
    if (reply.size() > ReplyLimit || reply.size() < 2)
        return {};
    return reply.substr(0, reply.size() - 2);
}

QString Latin(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

TStatusText TakeOverText(const std::string& reply, const TTextKey& accepted,
                         const TTextKey& rejectedBefore, const TTextKey& rejectedAfter,
                         const TTextKey& unexpected) {
    switch (ClassifyTakeOverReply(reply)) {
    case TTakeOverReply::Accepted:
        return {Tekst(accepted), false};
    case TTakeOverReply::Rejected:
        return {Tekst(rejectedBefore) + u' ' + RejectedParameterOf(reply) + u' ' +
                    Tekst(rejectedAfter),
                true};
    case TTakeOverReply::Unexpected:
        break;
    }
    // What came back is shown, so that the operator sees what the controller made of the
    // request.
    QStringList parts{Tekst(unexpected), Latin(ReplyText(reply)).trimmed()};
    parts.removeAll(QString());
    return {parts.join(QStringLiteral(": ")), true};
}

TStatusText CommErrorText(const TCommError& error, const TTextKey& timeout, const TTextKey& other) {
    // Every failure is shown: a failure without a system error or line errors (the port
    // closed, say) must not leave the text of the running request standing.
    return {Tekst(error.Code == CommCode::Timeout ? timeout : other), true};
}

} // namespace

TWriteReply ClassifyWriteReply(const std::string& reply, std::string_view echo) {
    std::string text = ReplyText(reply);
    if (text.starts_with(echo))
        return TWriteReply::Accepted;
    if (text.starts_with("er "))
        return TWriteReply::Refused;
    return TWriteReply::Unexpected;
}

TTakeOverReply ClassifyTakeOverReply(const std::string& reply) {
    std::string text = ReplyText(reply);
    if (text == "bp -1")
        return TTakeOverReply::Accepted;
    if (text.starts_with("bp ") && text.size() > 3)
        return TTakeOverReply::Rejected;
    return TTakeOverReply::Unexpected;
}

QString RefusalOf(const std::string& reply) {
    return Latin(ReplyText(reply)).trimmed();
}

QString RejectedParameterOf(const std::string& reply) {
    std::string text = ReplyText(reply);
    return text.size() > 3 ? Latin(text.substr(3)) : QString();
}

TStatusText ServiceWriteText(const std::string& reply, std::string_view echo) {
    using namespace TextKey::ParamService;
    switch (ClassifyWriteReply(reply, echo)) {
    case TWriteReply::Accepted:
        return {Tekst(PanelTekst4), false};
    case TWriteReply::Refused:
        return {u'(' + RefusalOf(reply) + QStringLiteral(") ") + Tekst(PanelTekst6), true};
    case TWriteReply::Unexpected:
        break;
    }
    return {Tekst(PanelTekst5), true};
}

TStatusText ServiceTakeOverText(const std::string& reply) {
    using namespace TextKey::ParamService;
    return TakeOverText(reply, PanelTekst10, PanelTekst7, PanelTekst8, PanelTekst5);
}

TStatusText ServiceCommErrorText(const TCommError& error) {
    return CommErrorText(error, TextKey::ParamService::PanelTekst0,
                         TextKey::ParamService::PanelTekst5);
}

TStatusText LoaderTakeOverText(const std::string& reply) {
    using namespace TextKey::Loader;
    return TakeOverText(reply, PanelTekst4, PanelTekst5, PanelTekst6, PanelTekst2);
}

TStatusText LoaderCommErrorText(const TCommError& error) {
    return CommErrorText(error, TextKey::Loader::PanelTekst0, TextKey::Loader::PanelTekst2);
}
