// The settings file application.ini: whatever it holds, reading it and writing the settings
// back keeps every line, comment, key and section that is not a setting, and the file written
// reads back as the settings that were written, texts typed by the user among them.

#include "app/GlobalVar.h"
#include "app/Settings.h"
#include "app/TextFile.h"
#include "comm/ComNames.h"
#include "fuzz/FuzzFiles.h"
#include "fuzz/FuzzIniChecks.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTarget.h"

#include <algorithm>

namespace {

// The keys the program writes, by section.
const std::pair<const char*, const char*> SettingKeys[] = {
    {"Serieel", "baudrate"},
    {"Serieel", "databit"},
    {"Serieel", "parity"},
    {"Serieel", "stopbit"},
    {"Serieel", "hardware"},
    {"Serieel", "portaddr"},
    {"Serieel", "portname"},
    {"Serieel", "porttype"},
    {"Serieel", "receivedrv"},
    {"Serieel", "transmitdrv"},
    {"Serieel", "unit_no"},
    {"Opties", "Taal"},
    {"Algemeen", "OpenCloseDialoogPath"},
    {"Afdrukken", "Firma"},
    {"Afdrukken", "Type"},
    {"Afdrukken", "Sn"},
    {"Grafiek", "X_Div"},
    {"Grafiek", "Y_Div"},
    {"Grafiek", "BronItem"},
    {"Grafiek", "X_hulplijn"},
    {"Grafiek", "Y_hulplijn"},
    {"Linearisatie", "Puntgrootte"},
    {"Linearisatie", "Lin_X_hulplijn"},
    {"Linearisatie", "Lin_Y_hulplijn"},
};

bool IsSetting(const QString& section, const QString& key) {
    return std::any_of(std::begin(SettingKeys), std::end(SettingKeys), [&](const auto& setting) {
        return section.compare(QLatin1String(setting.first), Qt::CaseInsensitive) == 0 &&
               key.compare(QLatin1String(setting.second), Qt::CaseInsensitive) == 0;
    });
}

struct TSettings {
    TLBComm Port;
    int UnitNo = 0;
    TGlobalVar Global;

    TSettings() {
        ApplyStoredPortSettings(Port);
        Global.SettingsPath = FuzzFolder();
    }
    bool Read() { return Configfile_lezen(Port, UnitNo, Global); }
};

bool SamePort(const TLBComm& a, const TLBComm& b) {
    return a.Baudrate() == b.Baudrate() && a.FrameDatabits() == b.FrameDatabits() &&
           a.FrameParitybit() == b.FrameParitybit() && a.FrameStopbits() == b.FrameStopbits() &&
           a.PortName() == b.PortName() && a.PortAddress() == b.PortAddress() &&
           a.PortType() == b.PortType() && a.Hardware() == b.Hardware() &&
           a.TransmitDriver() == b.TransmitDriver() && a.ReceiveDriver() == b.ReceiveDriver();
}

bool SameStored(const TGlobalVar& a, const TGlobalVar& b) {
    return a.Taal == b.Taal && a.OpenCloseDialoogPath == b.OpenCloseDialoogPath &&
           a.Firma == b.Firma && a.Type == b.Type && a.Sn == b.Sn && a.X_Div == b.X_Div &&
           a.Y_Div == b.Y_Div && a.BronItem == b.BronItem && a.X_hulplijn == b.X_hulplijn &&
           a.Y_hulplijn == b.Y_hulplijn && a.Puntgrootte == b.Puntgrootte &&
           a.Lin_X_hulplijn == b.Lin_X_hulplijn && a.Lin_Y_hulplijn == b.Lin_Y_hulplijn;
}

} // namespace

KQ9_FUZZ_TARGET(settings) {
    QByteArrayView bytes = FuzzBytes(data, size);
    const QString path = WriteFuzzFile(QStringLiteral("application.ini"), bytes);
    ResetComDevicePaths();
    TSettings first;
    FUZZ_CHECK(first.Read());
    const QString text = DecodeText(bytes);
    first.Global.Firma = text.left(12);
    first.Global.OpenCloseDialoogPath = text.right(12);
    QString error;
    FUZZ_CHECK(ProgrammaInstellingen_opslaan(first.Port, first.UnitNo, first.Global, &error));
    QString written;
    FUZZ_CHECK(ReadTextFile(path, written));
    CheckIniKept(text, written, IsSetting);

    // The next start finds what this one stored.
    TSettings second;
    FUZZ_CHECK(second.Read());
    FUZZ_CHECK(SamePort(first.Port, second.Port));
    FUZZ_CHECK(first.UnitNo == second.UnitNo);
    TGlobalVar stored = first.Global;
    stored.Firma = StoredIniValue(stored.Firma);
    stored.OpenCloseDialoogPath = StoredIniValue(stored.OpenCloseDialoogPath);
    FUZZ_CHECK(SameStored(stored, second.Global));
    ResetComDevicePaths();
}
