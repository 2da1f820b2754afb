#include "params/EditParamPage.h"

#include "app/Functies.h"
#include "params/ParamDefs.h"

#include <QStringList>

TParamRow ParameterRow(int nr) {
    return ParameterRow(nr, ParamDefs());
}

TParamRow ParameterRow(int nr, const TParamDefs& defs) {
    return ParameterRow(nr, ParamStore().ParData[static_cast<size_t>(nr)], defs);
}

TParamRow ParameterRow(int nr, int32_t value, const TParamDefs& defs) {
    TParamRow row;
    row.Parameter = nr;
    row.Cells[ColNummer] = ParameterSection(nr);
    if (!defs.HasDefinition(nr)) {
        row.Cells[ColWaarde] = IntToFixedText(0, value);
        return row;
    }
    row.Cells[ColNaam] = defs.Naam(nr);
    row.Cells[ColWaarde] = IntToFixedText(defs.Dec(nr), value);
    if (defs.Type(nr) == 1)
        row.Cells[ColOptie] = defs.OptieTekst(nr, value);
    return row;
}

QString PagePosition(int groep, int subgroep, int row) {
    return QStringLiteral("%1.%2.%3").arg(groep).arg(subgroep).arg(row);
}

TParamPage FillParamPage(int groep, int subgroep) {
    TParamPage page;
    const TParamDefs& defs = ParamDefs();
    if (!defs.ParameterDefGeladen() || !defs.ParamNoGeladen())
        return page;
    for (int r = 1; r <= ParamPageRows; ++r) {
        int32_t nr = defs.PageRow(PageId(groep, subgroep), r);
        if (nr < 0)
            continue;
        TParamRow& row = page[static_cast<size_t>(r - 1)];
        row = ParameterRow(nr, defs);
        row.Cells[ColPositie] = PagePosition(groep, subgroep, r);
    }
    return page;
}

bool PageDefined(int groep, int subgroep) {
    return ParamDefs().ParamNoIni().SectionExists(std::to_string(PageId(groep, subgroep)));
}

QString ParamRowLine(const TParamRow& row) {
    return QStringList(row.Cells.begin(), row.Cells.end()).join(u'\t');
}

int32_t SelectParamRow(const TParamRow& row, TSelPar& selPar) {
    selPar = TSelPar();
    if (row.Parameter < 0)
        return 0;
    const TParamDefs& defs = ParamDefs();
    int nr = row.Parameter;
    int32_t decCode = defs.Dec(nr);
    selPar.Nummer = row.Cells[ColNummer];
    selPar.Naam = row.Cells[ColNaam];
    selPar.Waarde = IntToFixedText(decCode, ParamStore().ParData[static_cast<size_t>(nr)]);
    selPar.Min = defs.Min(nr);
    selPar.MinTekst = IntToFixedText(decCode, selPar.Min);
    selPar.Max = defs.Max(nr);
    selPar.MaxTekst = IntToFixedText(decCode, selPar.Max);
    selPar.DefaultTekst = IntToFixedText(decCode, defs.Default(nr));
    return decCode;
}

bool LoadDefaultParameters(TParamStore& store) {
    const TParamDefs& defs = ParamDefs();
    if (!defs.ParameterDefGeladen())
        return false;
    for (int nr = 0; nr < ParameterCount; ++nr)
        store.ParData[static_cast<size_t>(nr)] = defs.Default(nr);
    store.ParBron = Bron::Defaults;
    return true;
}

void ClearPageParameters(const TParamPage& page, TParamStore& store) {
    for (const TParamRow& row : page)
        if (row.Parameter >= 0)
            store.ParData[static_cast<size_t>(row.Parameter)] = 0;
}
