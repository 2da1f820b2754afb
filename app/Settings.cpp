#include "app/Settings.h"

#include "app/IniFile.h"
#include "comm/ComNames.h"

#include <QDir>
#include <QFileInfo>

#include <array>

namespace {

struct TReadTargets {
    TLBComm& Port;
    int& UnitNo;
    TGlobalVar& Global;
};

struct TWriteSources {
    const TLBComm& Port;
    int UnitNo;
    const TGlobalVar& Global;
};

struct TSetting {
    const char* Section;
    const char* Key;
    int Default;
    void (*Read)(const TIniFile& ini, const TSetting& setting, TReadTargets& targets);
    void (*Write)(TIniFile& ini, const TSetting& setting, const TWriteSources& sources);
};

template <typename E, E (TLBComm::*Get)() const, void (TLBComm::*Set)(E)>
constexpr TSetting PortSetting(const char* key, int defaultOrdinal) {
    return {"Serieel", key, defaultOrdinal,
            [](const TIniFile& ini, const TSetting& s, TReadTargets& t) {
                // Checked here: the enumerations are bytes, so a cast would wrap 256 to 0.
                int ordinal = ini.ReadInteger(s.Section, s.Key, s.Default);
                if (InRange<E>(ordinal))
                    (t.Port.*Set)(static_cast<E>(ordinal));
            },
            [](TIniFile& ini, const TSetting& s, const TWriteSources& src) {
                ini.WriteInteger(s.Section, s.Key, Ord((src.Port.*Get)()));
            }};
}

constexpr TSetting UnitNoSetting() {
    return {"Serieel", "unit_no", 0,
            [](const TIniFile& ini, const TSetting& s, TReadTargets& t) {
                t.UnitNo = ini.ReadInteger(s.Section, s.Key, s.Default);
            },
            [](TIniFile& ini, const TSetting& s, const TWriteSources& src) {
                ini.WriteInteger(s.Section, s.Key, src.UnitNo);
            }};
}

// Whether LD100 replies end at their line end (kept by the port, like its line settings).
constexpr TSetting ReplyEndSetting() {
    return {"Opties", "SnelAntwoord", 0,
            [](const TIniFile& ini, const TSetting& s, TReadTargets& t) {
                t.Port.SetReplyEndsAtLineEnd(ini.ReadBool(s.Section, s.Key, s.Default != 0));
            },
            [](TIniFile& ini, const TSetting& s, const TWriteSources& src) {
                ini.WriteBool(s.Section, s.Key, src.Port.ReplyEndsAtLineEnd());
            }};
}

template <int TGlobalVar::*Field>
constexpr TSetting IntSetting(const char* section, const char* key) {
    return {section, key, 0,
            [](const TIniFile& ini, const TSetting& s, TReadTargets& t) {
                t.Global.*Field = ini.ReadInteger(s.Section, s.Key, s.Default);
            },
            [](TIniFile& ini, const TSetting& s, const TWriteSources& src) {
                ini.WriteInteger(s.Section, s.Key, src.Global.*Field);
            }};
}

template <bool TGlobalVar::*Field>
constexpr TSetting BoolSetting(const char* section, const char* key) {
    return {section, key, 0,
            [](const TIniFile& ini, const TSetting& s, TReadTargets& t) {
                t.Global.*Field = ini.ReadBool(s.Section, s.Key, s.Default != 0);
            },
            [](TIniFile& ini, const TSetting& s, const TWriteSources& src) {
                ini.WriteBool(s.Section, s.Key, src.Global.*Field);
            }};
}

template <QString TGlobalVar::*Field>
constexpr TSetting TextSetting(const char* section, const char* key) {
    return {section, key, 0,
            [](const TIniFile& ini, const TSetting& s, TReadTargets& t) {
                t.Global.*Field = ini.ReadString(s.Section, s.Key, QString());
            },
            [](TIniFile& ini, const TSetting& s, const TWriteSources& src) {
                ini.WriteString(s.Section, s.Key, src.Global.*Field);
            }};
}

// Every stored setting, in the order of reading and writing; the order of the port settings
// matters because their setters couple the hardware description.
const std::array<TSetting, 25> Settings = {
    PortSetting<TBaudrate, &TLBComm::Baudrate, &TLBComm::SetBaudrate>("baudrate", 6),
    PortSetting<TDataBit, &TLBComm::FrameDatabits, &TLBComm::SetFrameDatabits>("databit", 1),
    PortSetting<TParityBit, &TLBComm::FrameParitybit, &TLBComm::SetFrameParitybit>("parity", 1),
    PortSetting<TStopBit, &TLBComm::FrameStopbits, &TLBComm::SetFrameStopbits>("stopbit", 0),
    PortSetting<THardware, &TLBComm::Hardware, &TLBComm::SetHardware>("hardware", 2),
    PortSetting<TPortAddr, &TLBComm::PortAddress, &TLBComm::SetPortAddress>("portaddr", 3),
    PortSetting<TPort, &TLBComm::PortName, &TLBComm::SetPortName>("portname", 0),
    PortSetting<TPortType, &TLBComm::PortType, &TLBComm::SetPortType>("porttype", 0),
    PortSetting<TReceiveDriver, &TLBComm::ReceiveDriver, &TLBComm::SetReceiveDriver>("receivedrv",
                                                                                     0),
    PortSetting<TTransmitDriver, &TLBComm::TransmitDriver, &TLBComm::SetTransmitDriver>(
        "transmitdrv", 3),
    UnitNoSetting(),
    IntSetting<&TGlobalVar::Taal>("Opties", "Taal"),
    ReplyEndSetting(),
    TextSetting<&TGlobalVar::OpenCloseDialoogPath>("Algemeen", "OpenCloseDialoogPath"),
    TextSetting<&TGlobalVar::Firma>("Afdrukken", "Firma"),
    TextSetting<&TGlobalVar::Type>("Afdrukken", "Type"),
    TextSetting<&TGlobalVar::Sn>("Afdrukken", "Sn"),
    IntSetting<&TGlobalVar::X_Div>("Grafiek", "X_Div"),
    IntSetting<&TGlobalVar::Y_Div>("Grafiek", "Y_Div"),
    IntSetting<&TGlobalVar::BronItem>("Grafiek", "BronItem"),
    BoolSetting<&TGlobalVar::X_hulplijn>("Grafiek", "X_hulplijn"),
    BoolSetting<&TGlobalVar::Y_hulplijn>("Grafiek", "Y_hulplijn"),
    IntSetting<&TGlobalVar::Puntgrootte>("Linearisatie", "Puntgrootte"),
    BoolSetting<&TGlobalVar::Lin_X_hulplijn>("Linearisatie", "Lin_X_hulplijn"),
    BoolSetting<&TGlobalVar::Lin_Y_hulplijn>("Linearisatie", "Lin_Y_hulplijn"),
};

void ReadComDevicePaths(const TIniFile& ini) {
    for (int n = 0; n < EnumCount<TPort>(); ++n) {
        QString path = ini.ReadString("Poorten", QStringLiteral("COM%1").arg(n + 1), QString());
        if (!path.isEmpty())
            SetComDevicePath(static_cast<TPort>(n), path.toStdString());
    }
}

} // namespace

void ApplyStoredPortSettings(TLBComm& port) {
    port.SetBaudrate(TBaudrate::br9600);
    port.SetFrameDatabits(TDataBit::db_8);
    port.SetFrameParitybit(TParityBit::Odd);
    port.SetFrameStopbits(TStopBit::sb_1);
    port.SetPortName(TPort::COM1);
    port.SetPortType(TPortType::RS485);
    port.SetHardware(THardware::PCLabPCL745);
    port.SetTransmitDriver(TTransmitDriver::tdRegister7to1);
    port.SetReceiveDriver(TReceiveDriver::rdRegister7to2);
}

QString SettingsFilePath(const TGlobalVar& settings) {
    return settings.SettingsPath + QStringLiteral("application.ini");
}

bool Configfile_lezen(TLBComm& port, int& unitNo, TGlobalVar& settings) {
    TIniFile ini;
    QString path = SettingsFilePath(settings);
    if (!QFileInfo(path).isFile() || !ini.LoadFromFile(path))
        return false;
    TReadTargets targets{port, unitNo, settings};
    for (const TSetting& setting : Settings)
        setting.Read(ini, setting, targets);
    ReadComDevicePaths(ini);
    return true;
}

bool ProgrammaInstellingen_opslaan(const TLBComm& port, int unitNo, const TGlobalVar& settings,
                                   QString* error) {
    TIniFile ini;
    QString path = SettingsFilePath(settings);
    // An existing file that cannot be read is not replaced: its other sections would be lost.
    if (QFileInfo::exists(path) && !ini.LoadFromFile(path, error))
        return false;
    TWriteSources sources{port, unitNo, settings};
    for (const TSetting& setting : Settings)
        setting.Write(ini, setting, sources);
    // The user's configuration folder may not exist before the first save.
    if (!QDir().mkpath(settings.SettingsPath)) {
        if (error)
            *error = QStringLiteral("Cannot create the folder %1").arg(settings.SettingsPath);
        return false;
    }
    return ini.SaveToFile(path, error);
}
