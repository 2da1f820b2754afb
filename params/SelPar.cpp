#include "params/SelPar.h"

#include "app/Functies.h"
#include "params/ParamDefs.h"
#include "params/ParamStore.h"

TSelPar SelParOf(int nr) {
    const TParamDefs& defs = ParamDefs();
    const int dec = defs.Dec(nr);
    TSelPar selected;
    selected.Nummer = ParameterSection(nr);
    if (defs.HasDefinition(nr))
        selected.Naam = defs.Naam(nr);
    selected.Waarde = IntToFixedText(dec, ParamStore().ParData[nr]);
    selected.Min = defs.Min(nr);
    selected.MinTekst = IntToFixedText(dec, selected.Min);
    selected.Max = defs.Max(nr);
    selected.MaxTekst = IntToFixedText(dec, selected.Max);
    selected.DefaultTekst = IntToFixedText(dec, defs.Default(nr));
    return selected;
}
