#pragma once
// The order in which the device search goes through the line: unit numbers, parity, stop bits
// and the five search rates, and the texts of a found unit's row. Plain rules without the port,
// shared by the search window and kq9ctl scan.

#include "comm/CommTypes.h"

#include <QString>
#include <QStringList>

#include <array>

// The rates a search goes through, in their order; a run starts at one of them and goes round.
inline constexpr std::array<TBaudrate, 5> SearchRates = {TBaudrate::br9600, TBaudrate::br19200,
                                                         TBaudrate::br28800, TBaudrate::br38400,
                                                         TBaudrate::br57600};

constexpr int SearchFirstUnit = 0;
constexpr int SearchLastUnit = 31;

// What a run goes through. The window always searches units 0 … 31; kq9ctl can narrow them.
struct TSearchOptions {
    int StartRate = 0; // index into SearchRates
    bool ParityAuto = false;
    bool StopbitsAuto = false;
    int FirstUnit = SearchFirstUnit;
    int LastUnit = SearchLastUnit;
};

// One combination that is tried: the line settings and the unit that is selected.
struct TSearchPoint {
    TBaudrate Baudrate = TBaudrate::br9600;
    TParityBit Parity = TParityBit::None;
    TStopBit Stopbits = TStopBit::sb_1;
    int Unit = 0;

    friend bool operator==(const TSearchPoint&, const TSearchPoint&) = default;
};

// The first combination of a run. Parity and stop bits that are not searched automatically stay
// as `kept` had them (the port's settings when the search window was opened).
TSearchPoint FirstSearchPoint(const TSearchOptions& options, const TSearchPoint& kept);

// Moves `point` on to the next combination: parity None → Odd → Even, then two stop bits (parity
// from None again), then the next unit, then the next rate with the first unit again. False when
// the rate has come round to `startRate`: the run is over (the point then holds that rate).
bool NextSearchPoint(TSearchPoint& point, const TSearchOptions& options, TBaudrate startRate);

// The texts of a row of found units: unit as two digits, the type text, the rate ("19200"), the
// parity ("None", "Even", "Odd") and the stop bits ("1", "2").
struct TFoundUnit {
    TSearchPoint Point;
    QString Type;
};
QStringList FoundUnitTexts(const TFoundUnit& found);

// A rate as a number, "19200", and as shown while searching, "19200 bit/s".
QString RateNumberText(TBaudrate rate);
QString SearchRateText(TBaudrate rate);
QString ParityText(TParityBit parity);
QString StopbitsText(TStopBit stopbits);

// A row's texts back to the setting (a rate only of SearchRates); false for any other text (the
// setting then stays).
bool SearchRateFromText(const QString& text, TBaudrate& rate);
bool ParityFromText(const QString& text, TParityBit& parity);
bool StopbitsFromText(const QString& text, TStopBit& stopbits);
