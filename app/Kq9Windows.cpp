#include "app/Kq9Windows.h"

#include "app/GlobalVar.h"

TKq9Windows::TKq9Windows(const QStringList& arguments, const QString& dialogFolder,
                         TSerialDeviceFactory factory)
    : FormMain(arguments, std::move(factory)), FormAbout(&FormMain),
      FormEditParam(&FormMain.LBComm1, &FormMain), FormOpties(&FormMain),
      FormInitSerial(&FormMain.LBComm1, &FormMain),
      FormParamService(&FormMain.LBComm1, &FormEditParam),
      FormEditSollwerten(&FormMain.LBComm1, &FormMain), FormDisplayNokken(&FormMain),
      FormLeesParSoll(&FormMain.LBComm1, &FormMain),
      FormApparaatZoeken(&FormMain.LBComm1, FormMain.SpinEditUnitSelect, &FormMain),
      FormSchrijfParSoll(&FormMain.LBComm1, &FormMain), FormInfoErrorNummers(&FormMain),
      FormParLoader(&FormMain.LBComm1, &FormEditParam),
      FormCalibratie(&FormMain.LBComm1, &FormMain), FormAfdrukkenPar(&FormEditParam),
      FormAfdrukkenSoll(&FormEditSollwerten), FormGrafiek(&FormMain.LBComm1, &FormMain),
      FormLinearisatie(&FormMain), FormVergelijk(&FormMain.LBComm1, &FormMain),
      FormCommunicatieLog(&FormMain.LBComm1, &FormMain) {
    // The main window has read the settings; a folder they do not remember gets the default.
    if (GlobalVar().OpenCloseDialoogPath.isEmpty())
        GlobalVar().OpenCloseDialoogPath = dialogFolder;
    FormMain.FormAboutWindow = &FormAbout;
    FormMain.FormOpties = &FormOpties;
    FormMain.FormInitSerial = &FormInitSerial;
    FormMain.FormDisplayNokken = &FormDisplayNokken;
    FormMain.FormLeesParSoll = &FormLeesParSoll;
    FormMain.FormApparaatZoeken = &FormApparaatZoeken;
    FormMain.FormSchrijfParSoll = &FormSchrijfParSoll;
    FormMain.FormInfoErrorNummers = &FormInfoErrorNummers;
    FormMain.FormEditParam = &FormEditParam;
    FormMain.FormEditSollwerten = &FormEditSollwerten;
    FormMain.FormGrafiek = &FormGrafiek;
    FormMain.FormLinearisatie = &FormLinearisatie;
    FormMain.FormCommunicatieLog = &FormCommunicatieLog;
    FormMain.EnableWindowMenuItems();
    FormEditParam.FormLeesParSoll = &FormLeesParSoll;
    FormEditParam.FormSchrijfParSoll = &FormSchrijfParSoll;
    FormEditParam.FormParamService = &FormParamService;
    FormEditParam.FormParLoader = &FormParLoader;
    FormEditParam.FormInfoErrorNummers = &FormInfoErrorNummers;
    FormEditParam.FormAfdrukkenPar = &FormAfdrukkenPar;
    FormEditParam.FormDisplayNokken = &FormDisplayNokken;
    FormEditParam.FormLinearisatie = &FormLinearisatie;
    FormEditParam.FormVergelijk = &FormVergelijk;
    FormLinearisatie.FormParamService = &FormParamService;
    // A value sent from the linearisation window opened in the editor marks the editor too.
    FormParamService.OnParGezonden = [this](bool sent) { FormEditParam.ParGezonden = sent; };
    FormEditSollwerten.FormAfdrukkenSoll = &FormAfdrukkenSoll;
    FormEditSollwerten.FormLeesParSoll = &FormLeesParSoll;
    FormEditSollwerten.FormSchrijfParSoll = &FormSchrijfParSoll;
    FormEditSollwerten.FormVergelijk = &FormVergelijk;
    FormMain.SetFormCalibratie(&FormCalibratie);
}
