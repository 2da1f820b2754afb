#include "params/ParamSearch.h"

#include "params/EditParamPage.h"
#include "params/ParamDefs.h"

#include <QStringList>

namespace {

bool IsMark(QChar c) {
    switch (c.category()) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return true;
    default:
        return false;
    }
}

// The parameter a text of digits names, or -1.
int TypedNumber(const QString& text) {
    if (text.isEmpty() || text.size() > 6)
        return -1;
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return -1;
    int nr = text.toInt();
    return nr < ParameterCount ? nr : -1;
}

} // namespace

QString SearchFolded(const QString& text) {
    // The compatibility decomposition splits accented letters into letter and mark (and
    // ligatures into their letters); the marks are then dropped.
    QString plain;
    for (QChar c : text.normalized(QString::NormalizationForm_KD))
        if (!IsMark(c))
            plain += c;
    // Simple case folding keeps "ß" (and folds the capital to it); in names it reads as "ss".
    return plain.toCaseFolded().replace(u'\u00DF', QStringLiteral("ss"));
}

void TParamSearch::Index(const std::vector<TSearchPage>& pages, const TParamDefs& defs) {
    FPages = pages;
    for (auto& places : FPlaces)
        places.clear();
    const bool pagesShown = defs.ParameterDefGeladen() && defs.ParamNoGeladen();
    for (size_t p = 0; pagesShown && p < FPages.size(); ++p) {
        const int page = PageId(FPages[p].Groep, FPages[p].Subgroep);
        for (int row = 1; row <= ParamPageRows; ++row) {
            int32_t nr = defs.PageRow(page, row);
            if (nr >= 0)
                FPlaces[static_cast<size_t>(nr)].push_back({static_cast<int>(p), row});
        }
    }
    for (int nr = 0; nr < ParameterCount; ++nr) {
        auto i = static_cast<size_t>(nr);
        FDefined[i] = defs.HasDefinition(nr);
        FNames[i] = FDefined[i] ? defs.Naam(nr) : QString();
        FFoldedNames[i] = SearchFolded(FNames[i]);
    }
}

std::vector<TParamSearchHit> TParamSearch::Find(const QString& text) const {
    std::vector<TParamSearchHit> hits;
    const QString trimmed = text.trimmed();
    const int number = TypedNumber(trimmed);
    if (number >= 0)
        AddHits(number, hits);
    const QStringList words = SearchFolded(trimmed).simplified().split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty())
        return hits;
    for (int nr = 0; nr < ParameterCount; ++nr) {
        const QString& name = FFoldedNames[static_cast<size_t>(nr)];
        if (nr == number || name.isEmpty())
            continue;
        bool all = true;
        for (const QString& word : words)
            all = all && name.contains(word);
        if (all)
            AddHits(nr, hits);
    }
    return hits;
}

void TParamSearch::AddHits(int nr, std::vector<TParamSearchHit>& hits) const {
    auto i = static_cast<size_t>(nr);
    TParamSearchHit hit;
    hit.Parameter = nr;
    hit.Naam = FNames[i];
    if (FPlaces[i].empty()) {
        if (FDefined[i])
            hits.push_back(hit);
        return;
    }
    for (const TPlace& place : FPlaces[i]) {
        const TSearchPage& page = FPages[static_cast<size_t>(place.Page)];
        hit.Groep = page.Groep;
        hit.Subgroep = page.Subgroep;
        hit.Row = place.Row;
        hit.PageCaption = page.Caption;
        hits.push_back(hit);
    }
}

QString SearchHitText(const TParamSearchHit& hit, const QString& noPage) {
    QStringList parts{ParameterSection(hit.Parameter)};
    if (!hit.Naam.isEmpty())
        parts << hit.Naam;
    parts << (hit.OnPage() ? PagePosition(hit.Groep, hit.Subgroep, hit.Row) : noPage);
    return parts.join(QStringLiteral("  "));
}
