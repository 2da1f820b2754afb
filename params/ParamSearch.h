#pragma once
// Finding a parameter by its number or by part of its name in the current language, the way the
// parameter editor's search field does: letter case and accents do not count ("geschw" finds
// "Geschwindigkeit", "rampe" finds "Rampé"), and every word typed must occur in the name. Each
// hit names the page and row where the parameter stands, one hit per place; a parameter that
// stands on no page is a hit without a place.

#include "params/ParamStore.h"

#include <QString>

#include <array>
#include <vector>

class TParamDefs;

// A page of the editor as the group tree names it.
struct TSearchPage {
    int Groep = 0;
    int Subgroep = 0;
    QString Caption;
};

struct TParamSearchHit {
    int Parameter = -1;
    QString Naam;
    // The place on a page; Row 0 when the parameter stands on no page.
    int Groep = 0;
    int Subgroep = 0;
    int Row = 0;
    QString PageCaption;

    bool OnPage() const { return Row > 0; }
};

// `text` as it is compared: case folded, accents and other marks dropped, "ß" as "ss".
QString SearchFolded(const QString& text);

class TParamSearch {
public:
    // Notes where every parameter stands on `pages` (rows 1 … 18 of the page table) and the
    // folded names in the current language. Without both definition files no parameter stands
    // on a page, as the editor then shows empty pages.
    void Index(const std::vector<TSearchPage>& pages, const TParamDefs& defs);

    // The hits for `text`: a number (leading zeros allowed) gives that parameter first, then
    // every parameter whose name holds all the words of the text, by number. Only parameters
    // with a definition or a place on a page are found; blank text finds nothing.
    std::vector<TParamSearchHit> Find(const QString& text) const;

private:
    struct TPlace {
        int Page = 0; // index into FPages
        int Row = 0;
    };
    void AddHits(int nr, std::vector<TParamSearchHit>& hits) const;

    std::vector<TSearchPage> FPages;
    std::array<std::vector<TPlace>, ParameterCount> FPlaces;
    std::array<QString, ParameterCount> FNames;
    std::array<QString, ParameterCount> FFoldedNames;
    std::array<bool, ParameterCount> FDefined{};
};

// The text of a hit in the result list: number, name and place ("017  Offset  2.3.1"), or
// `noPage` in place of the place.
QString SearchHitText(const TParamSearchHit& hit, const QString& noPage);
