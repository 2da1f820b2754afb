#pragma once
// The program's windows, created once in their fixed order with the main window first, and
// joined as their menus and buttons need one another. The desktop program makes one set; the
// soak and the benchmarks make the same set to drive the program as a user would.

#include "app/About.h"
#include "app/ApparaatZoeken.h"
#include "app/CommunicatieLog.h"
#include "app/InfoErrorNummers.h"
#include "app/InitSerial.h"
#include "app/KX71Main.h"
#include "app/Opties.h"
#include "calib/Calibratie.h"
#include "calib/Grafiek.h"
#include "calib/Linearisatie.h"
#include "params/DisplayNokken.h"
#include "params/EditParam.h"
#include "params/EditSollwerten.h"
#include "params/LeesParSoll.h"
#include "params/ParLoader.h"
#include "params/ParamService.h"
#include "params/SchrijfParSoll.h"
#include "params/Vergelijk.h"
#include "print/AfdrukkenPar.h"
#include "print/AfdrukkenSoll.h"

#include <QStringList>

class TKq9Windows {
public:
    // `arguments`: the program's command line; `dialogFolder`: where the file dialogs start
    // when the settings remember no folder; `factory`: the main port's serial device (empty:
    // the POSIX device).
    TKq9Windows(const QStringList& arguments, const QString& dialogFolder,
                TSerialDeviceFactory factory = {});
    TKq9Windows(const TKq9Windows&) = delete;
    TKq9Windows& operator=(const TKq9Windows&) = delete;

    TFormMain FormMain;
    TFormAbout FormAbout;
    TFormEditParam FormEditParam;
    TFormOpties FormOpties;
    TFormInitSerial FormInitSerial;
    TFormParamService FormParamService;
    TFormEditSollwerten FormEditSollwerten;
    TFormDisplayNokken FormDisplayNokken;
    TFormLeesParSoll FormLeesParSoll;
    TFormApparaatZoeken FormApparaatZoeken;
    TFormSchrijfParSoll FormSchrijfParSoll;
    TFormInfoErrorNummers FormInfoErrorNummers;
    TFormParLoader FormParLoader;
    TFormCalibratie FormCalibratie;
    TFormAfdrukkenPar FormAfdrukkenPar;
    TFormAfdrukkenSoll FormAfdrukkenSoll;
    TFormGrafiek FormGrafiek;
    TFormLinearisatie FormLinearisatie;
    TFormVergelijk FormVergelijk;
    TFormCommunicatieLog FormCommunicatieLog;
};
