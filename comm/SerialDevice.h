#pragma once
// The serial device as the port component and its worker thread see it. The operations follow
// the classic serial-port calls one to one, so the port and thread keep their order of calls and
// their error codes. Every operation returns 0 on success or the OS error number (errno; 995
// when the device vanished or a wait was cancelled).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// Device control block: the line settings, in the classic encodings.
struct TDcb {
    uint32_t BaudRate = 9600;
    uint8_t ByteSize = 8;
    uint8_t Parity = 0;   // 0 none, 1 odd, 2 even
    uint8_t StopBits = 0; // 0 one, 2 two
};
constexpr uint8_t NOPARITY = 0, ODDPARITY = 1, EVENPARITY = 2;
constexpr uint8_t ONESTOPBIT = 0, TWOSTOPBITS = 2;

struct TCommTimeouts {
    uint32_t ReadIntervalTimeout = 0;
    uint32_t ReadTotalTimeoutMultiplier = 0;
    uint32_t ReadTotalTimeoutConstant = 0;
    uint32_t WriteTotalTimeoutMultiplier = 0;
    uint32_t WriteTotalTimeoutConstant = 0;
};
constexpr uint32_t MAXDWORD = 0xFFFFFFFFu;

constexpr uint32_t PURGE_TXCLEAR = 0x0004, PURGE_RXCLEAR = 0x0008;

// Line error bits reported by ClearCommError.
constexpr uint32_t CE_RXOVER = 0x0001, CE_OVERRUN = 0x0002, CE_RXPARITY = 0x0004,
                   CE_FRAME = 0x0008, CE_BREAK = 0x0010, CE_TXFULL = 0x0100, CE_IOE = 0x0400,
                   CE_MODE = 0x8000;

class TSerialDevice {
public:
    virtual ~TSerialDevice() = default;

    // Opens the device at `path` exclusively for reading and writing.
    virtual int CreateFile(const std::string& path) = 0;
    virtual int SetupComm(uint32_t inQueue, uint32_t outQueue) = 0;
    virtual int GetCommState(TDcb& dcb) = 0;
    virtual int SetCommState(const TDcb& dcb) = 0;
    virtual int GetCommTimeouts(TCommTimeouts& timeouts) = 0;
    virtual int SetCommTimeouts(const TCommTimeouts& timeouts) = 0;
    virtual int PurgeComm(uint32_t flags) = 0;
    // With ReadIntervalTimeout and ReadTotalTimeoutMultiplier both MAXDWORD: returns at once
    // with the bytes waiting, else waits up to ReadTotalTimeoutConstant ms for the first byte.
    // `read` is 0 when nothing arrived in time.
    virtual int ReadFile(uint8_t* buffer, uint32_t count, uint32_t& read) = 0;
    virtual int WriteFile(const uint8_t* buffer, uint32_t count, uint32_t& written) = 0;
    // Waits until every written byte has left the transmitter.
    virtual int FlushFileBuffers() = 0;
    // Returns and clears the CE_* line errors seen since the last call.
    virtual int ClearCommError(uint32_t& errors) = 0;
    virtual int CloseHandle() = 0;
    // Any thread: makes a waiting (or the next) ReadFile fail with 995 at once. Used when the
    // port closes so that its worker need not wait out a time-out.
    virtual void CancelIo() = 0;
};

using TSerialDeviceFactory = std::function<std::shared_ptr<TSerialDevice>()>;
