#include "support/ExchangeFigures.h"

#include "comm/ComNames.h"
#include "comm/LBComm.h"
#include "comm/LD100Protocol.h"
#include "comm/PlainHandover.h"
#include "support/RawExchange.h"

#include <chrono>
#include <sys/resource.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr double SilenceMs = 50.0;
constexpr double BitsPerByte = 11.0; // start, 8 data, parity, stop

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double SimulatorLatencyMs(const std::string& path, int count) {
    TRawExchange raw(path);
    double total = 0;
    for (int i = 0; i < count; ++i) {
        auto start = Clock::now();
        raw.Exchange("rp " + std::to_string(i % 400));
        total += Ms(Clock::now() - start);
    }
    return total / count;
}

} // namespace

double TExchangeFigures::FloorMs() const {
    return SilenceMs + SimLatencyMs;
}

double ExchangeByteTimesMs() {
    return (7 + 13) * BitsPerByte / 38400.0 * 1000.0;
}

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

TExchangeFigures MeasureExchanges(const std::string& ptyPath, int exchanges) {
    TExchangeFigures figures;
    figures.Exchanges = exchanges;
    figures.SimLatencyMs = SimulatorLatencyMs(ptyPath, exchanges);

    TPlainHandover handover;
    SetUiHandover(&handover);
    SetComDevicePath(TPort::COM1, ptyPath);
    {
        TLBComm port;
        port.SetBaudrate(TBaudrate::br38400);
        port.Open();
        TLD100Protocol component;
        component.SetProtocolFoot(TSequenceChar::scCR);
        component.SetLBComm(&port);
        int done = 0;
        auto next = [&] {
            component.SetASCIIProtocol("rp " + std::to_string(done % 400));
            component.Send();
        };
        component.OnCommResult = [&](TLBProtocolComponent*, TMemoryStream&) {
            if (++done < exchanges)
                next();
        };
        component.OnCommError = [&](TLBProtocolComponent*, const TCommError&, TMemoryStream&) {
            ++figures.Failed;
            if (++done < exchanges)
                next();
        };
        auto start = Clock::now();
        next();
        while (done < exchanges)
            handover.ProcessMessages(-1);
        figures.MeanMs = Ms(Clock::now() - start) / exchanges;

        double cpuBefore = ProcessCpuSeconds();
        auto idleEnd = Clock::now() + std::chrono::seconds(5);
        while (Clock::now() < idleEnd)
            handover.ProcessMessages(static_cast<int>(Ms(idleEnd - Clock::now())) + 1);
        figures.IdleCpuMs = (ProcessCpuSeconds() - cpuBefore) * 1000.0;
    }
    SetUiHandover(nullptr);
    return figures;
}
