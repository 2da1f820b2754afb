#include "app/ApparaatZoekenSteps.h"

#include <algorithm>

namespace {

constexpr const char* ParityTexts[] = {"None", "Even", "Odd"};
constexpr const char* StopbitTexts[] = {"1", "2"};

int RateIndex(TBaudrate rate) {
    auto it = std::find(SearchRates.begin(), SearchRates.end(), rate);
    return it == SearchRates.end() ? -1 : static_cast<int>(it - SearchRates.begin());
}

TBaudrate NextRate(TBaudrate rate) {
    // A rate outside the search (set before the run) goes round from the first one.
    int index = RateIndex(rate);
    return SearchRates[(index + 1) % SearchRates.size()];
}

// Parity and stop bits as the first combination at a new unit has them.
void RestartFraming(TSearchPoint& point, const TSearchOptions& options) {
    if (options.ParityAuto)
        point.Parity = TParityBit::None;
    if (options.StopbitsAuto)
        point.Stopbits = TStopBit::sb_1;
}

// The value whose text (by ordinal) is `text`.
template <typename E, size_t N>
bool FromText(const char* const (&texts)[N], const QString& text, E& value) {
    for (size_t i = 0; i < N; ++i) {
        if (text == QLatin1String(texts[i])) {
            value = static_cast<E>(i);
            return true;
        }
    }
    return false;
}

} // namespace

TSearchPoint FirstSearchPoint(const TSearchOptions& options, const TSearchPoint& kept) {
    TSearchPoint point;
    point.Unit = options.FirstUnit;
    point.Baudrate = SearchRates[std::clamp<size_t>(options.StartRate, 0, SearchRates.size() - 1)];
    point.Parity = options.ParityAuto ? TParityBit::None : kept.Parity;
    point.Stopbits = options.StopbitsAuto ? TStopBit::sb_1 : kept.Stopbits;
    return point;
}

bool NextSearchPoint(TSearchPoint& point, const TSearchOptions& options, TBaudrate startRate) {
    if (options.ParityAuto && point.Parity != TParityBit::Even) {
        point.Parity = point.Parity == TParityBit::None ? TParityBit::Odd : TParityBit::Even;
        return true;
    }
    if (options.StopbitsAuto && point.Stopbits != TStopBit::sb_2) {
        point.Stopbits = TStopBit::sb_2;
        if (options.ParityAuto)
            point.Parity = TParityBit::None;
        return true;
    }
    if (point.Unit < options.LastUnit) {
        ++point.Unit;
        RestartFraming(point, options);
        return true;
    }
    point.Baudrate = NextRate(point.Baudrate);
    if (point.Baudrate == startRate)
        return false;
    point.Unit = options.FirstUnit;
    RestartFraming(point, options);
    return true;
}

QStringList FoundUnitTexts(const TFoundUnit& found) {
    return {QStringLiteral("%1").arg(found.Point.Unit, 2, 10, QLatin1Char('0')), found.Type,
            RateNumberText(found.Point.Baudrate), ParityText(found.Point.Parity),
            StopbitsText(found.Point.Stopbits)};
}

QString RateNumberText(TBaudrate rate) {
    return QString::number(BitsPerSecond(rate));
}

QString SearchRateText(TBaudrate rate) {
    return RateNumberText(rate) + QStringLiteral(" bit/s");
}

QString ParityText(TParityBit parity) {
    return QString::fromLatin1(ParityTexts[Ord(parity)]);
}

QString StopbitsText(TStopBit stopbits) {
    return QString::fromLatin1(StopbitTexts[Ord(stopbits)]);
}

bool SearchRateFromText(const QString& text, TBaudrate& rate) {
    for (TBaudrate searched : SearchRates) {
        if (text == RateNumberText(searched)) {
            rate = searched;
            return true;
        }
    }
    return false;
}

bool ParityFromText(const QString& text, TParityBit& parity) {
    return FromText(ParityTexts, text, parity);
}

bool StopbitsFromText(const QString& text, TStopBit& stopbits) {
    return FromText(StopbitTexts, text, stopbits);
}
