#include "comm/CommTexts.h"

#include "comm/CommTypes.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct TRow {
    const char* English;
    const char* German;
};

const TRow Texts[CommTextRows] = {
    {"Data transmission successful!", "Datenübertragung erfolgreich!"},
    {"Unknown error!", "Unbekannten Fehler!"},
    {"Communication error [%2.2xh]:", "Übertragungsfehler [%2.2xh]:"},
    {"Communication error", "Übertragungsfehler"},
    {"Function parameter error [%2.2xh]:", "Funktionsparameter-Fehler [%2.2xh]:"},
    {"Operating error [%2.2xh]:", "Betriebsfehler [%2.2xh]:"},
    {"Parity error!", "Paritätsfehler!"},
    {"Frame error!", "Stoppbitfehler!"},
    {"Overrun error!", "Überschreibfehler!"},
    {"Check error!", "Prüfbytefehler!"},
    {"Wrong function number!\r\nFunction undefined.",
     "Falsche Funktionsnummer!\r\nFunktion nicht definiert."},
    {"Wrong type!\r\nData type undefined.", "Falscher Typ!\r\nDatentyp nicht definiert."},
    {"Wrong axis number!\r\nAxis does not exist or is undefined.",
     "Falsche Achsennummer!\r\nAchse existiert nicht oder ist nicht definiert."},
    {"Wrong unit number!\r\nUnit does not exist or is undefined.",
     "Falsche Einheitennummer!\r\nEinheit existiert nicht oder ist nicht definiert."},
    {"Wrong module number!\r\nData I/O does not exist or is undefined.",
     "Falsche Modulnummer!\r\nDaten-Ein-/Ausgabe existiert nicht oder ist nicht definiert."},
    {"Wrong programme number!\r\nProgramme selection not allowed;\r\nnumber too large or 0 or "
     "programme does not exist.",
     "Falsche Programmnummer!\r\nProgrammwahl nicht erlaubt;\r\nNummer zu gross bzw. 0 oder "
     "Programm existiert nicht."},
    {"Wrong sentence number!\r\nNumber too large or 0 or sentence does not exist.",
     "Falsche Satznummer!\r\nNummer zu gross bzw. 0 oder Satz existiert nicht."},
    {"Wrong range!\r\nParameter range undefined or does not exist.",
     "Falscher Bereich!\r\nParameterbereich nicht definiert bzw. nicht vorhanden."},
    {"Wrong storage number!\r\nParaameter memory location does not exist.",
     "Falsche Speichernummer!\r\nParameter-Speicherplatz existiert nicht."},
    {"Wrong operating mode!\r\nController must be in the automatic mode.",
     "Falsche Betriebsart!\r\nController muss sich im Automatikbetrieb befinden."},
    {"Wrong operating state!\r\nController must be in the reset state (for all units).",
     "Falscher Betriebszustand!\r\nController muss sich im rückgestellten Zustand befinden "
     "(für alle Einheiten)."},
    {"Sequence not terminated!", "Sequenz nicht beendet!"},
    {"Sequence not started!", "Sequenz nicht gestartet!"},
    {"Memory overflow!", "Speicherüberlauf!"},
    {"Programme end missing!", "Programmende fehlt!"},
    {"Programme end exceeded!", "Programmende überschritten!"},
    {"Too many parameters!", "Zu viele Parameter!"},
    {"Parameter error!", "Parameterfehler!"},
    {"Cannot start the axis!", "Achse kann nicht gestartet werden!"},
    {"Unknown protocol!", "Unbekanntes Protokoll!"},
    {"System error [%4.4xh]:", "Systemfehler [%4.4xh]:"},
    {"Windows error message(s)!", "Windows Fehlermeldung(en)!"},
    {"[%4.4xh]: The hardware detected a break condition.",
     "[%4.4xh]: Die Hardware stellte eine Abbruchbedingung fest."},
    {"[%4.4xh]: The hardware detected a framing error.",
     "[%4.4xh]: Die Hardware stellt einen Framing-Fehler fest."},
    {"[%4.4xh]: An I/O error occurred during communications with the interface.",
     "[%4.4xh]: Ein E/A-Fehler ist bei der Kommunikation mit der Schnittstelle aufgetreten."},
    {"[%4.4xh]: Invalid interface handle or the requested mode is not supported.",
     "[%4.4xh]: Ungültiger Schnittstelle-Handle oder der gewünschte Modus wird nicht "
     "unterstützt."},
    {"[%4.4xh]: A character-buffer overrun has occurred. The next character is lost.",
     "[%4.4xh]: Ein Zeichen wurde nicht rechtzeitig gelesen. Das Zeichen ist verloren."},
    {"[%4.4xh]: An input buffer overflow has occurred.",
     "[%4.4xh]: Überlauf der Empfangswarteschlange."},
    {"[%4.4xh]: The hardware detected a parity error.",
     "[%4.4xh]: Die Hardware stellte einen Paritätsfehler fest."},
    {"[%4.4xh]: An output buffer overflow has occurred.",
     "[%4.4xh]: Überlauf der Sendewarteschlange."},
    {"General communication error [%4.4xh]:", "Allgemeiner Übertragungsfehler [%4.4xh]:"},
    {"Protocol buffer is empty!", "Protokoll-Buffer ist leer!"},
    {"Timeout error!", "Zeitüberschreitungs-Fehler!"},
    {"Protocol check sum error!", "Protokoll Prüfbytefehler!"},
    {"Incorrect protocol header. Protocol header unequal <82h><96h>!",
     "Fehlerhafter Protokollkopf. Protokollkopf ungleich <82h><96h>!"},
    {"<82h> duplication is missing!", "<82h> Wiederholung fehlt!"},
    {"Incorrect protocol header. Protocol header unequal <DLE><STX>!",
     "Fehlerhafter Protokollkopf. Protokollkopf ungleich <DLE><STX>!"},
    {"<DLE> duplication is missing!", "<DLE> Wiederholung fehlt!"},
    {"Incorrect start character in the protocol header!",
     "Fehlerhaftes Startzeichen im Protokollkopf!"},
    {"LBInitCommE.hlp", "LBInitComm.hlp"},
    {"Serial port", "Serielle Schnittstelle"},
    {"OK", "OK"},
    {"Cancel", "Abbrechen"},
    {"Port configuration", "Anschlußeinstellungen"},
    {"Extended", "Erweitert"},
    {"&Port:", "&Anschluß:"},
    {"COM 1", "COM 1"},
    {"COM 2", "COM 2"},
    {"COM 3", "COM 3"},
    {"COM 4", "COM 4"},
    {"I/&O range:", "&E/A-Bereich:"},
    {"&Bits per second:", "&Bits pro Sekunde:"},
    {"&Data bits:", "&Datenbits:"},
    {"P&arity:", "&Parität:"},
    {"None", "Keine"},
    {"Even", "Gerade"},
    {"Odd", "Ungerade"},
    {"&Stop bits:", "&Stoppbits:"},
    {"&Hardware:", "&Hardware:"},
    {"Standard", "Standard"},
    {"PCLab Card PCL 745", "PCLab-Karte PCL 745"},
    {"Phoenix PSM-V24/RS485", "Phoenix PSM-V24/RS485"},
    {"User defined", "Benutzerdefiniert"},
    {"&Port type:", "&Anschlußtyp:"},
    {"&Receiver:", "&Empfänger:"},
    {"None", "Nein"},
    {"Register 7 = 2", "Register 7 = 2"},
    {"&Transmitter:", "&Sender:"},
    {"None", "Nein"},
    {"Register 7 = 1", "Register 7 = 1"},
    {"RTS = 1", "RTS = 1"},
    {"DTR = 0", "DTR = 0"},
};

bool IsGermanLocale(const char* value) {
    // "de", "de_DE.UTF-8", "de_AT", "de-CH", …: the primary language is German.
    return value[0] == 'd' && value[1] == 'e' &&
           (value[2] == '\0' || value[2] == '_' || value[2] == '-' || value[2] == '.' ||
            value[2] == '@');
}

} // namespace

std::string CommText(int row, int language) {
    if (row < 0 || row >= CommTextRows)
        return {};
    if (language == 1)
        return Texts[row].English;
    if (language == 2)
        return Texts[row].German;
    return {};
}

std::string CommTextFormat(int row, int language, uint32_t value) {
    std::string text = CommText(row, language);
    for (const char* placeholder : {"%2.2x", "%4.4x"}) {
        size_t at = text.find(placeholder);
        if (at == std::string::npos)
            continue;
        char digits[16];
        std::snprintf(digits, sizeof digits, placeholder[1] == '2' ? "%02X" : "%04X", value);
        text.replace(at, 5, digits);
    }
    return text;
}

uint8_t CommLanguage() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return IsGermanLocale(value) ? 2 : 1;
    }
    return 1;
}

std::string SysErrorMessage(int error) {
    if (error == ERROR_OPERATION_ABORTED)
        return "The operation was aborted: the serial device was closed or disconnected.";
    if (error <= 0)
        return {};
    char buffer[1024];
    // GNU strerror_r returns a pointer to the text, which may or may not be the buffer.
    const char* text = strerror_r(error, buffer, sizeof buffer);
    if (!text || std::strncmp(text, "Unknown error", 13) == 0)
        return {};
    return text;
}
