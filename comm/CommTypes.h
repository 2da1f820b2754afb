#pragma once
// Shared types of the serial-line library: line-setting enumerations (ordinals are stored in
// settings files), the error record of an exchange, its codes, and the frame buffers.

#include <array>
#include <cstdint>

using TFrameBuffer = std::array<uint8_t, 512>;

enum class TBaudrate : uint8_t {
    br1200, br2400, br4800, br9600, br19200, br28800, br38400, br57600, br115200
};
enum class TDataBit : uint8_t { db_7, db_8 };
enum class TParityBit : uint8_t { None, Even, Odd };
enum class TStopBit : uint8_t { sb_1, sb_2 };
enum class TPort : uint8_t {
    COM1, COM2, COM3, COM4, COM5, COM6, COM7, COM8,
    COM9, COM10, COM11, COM12, COM13, COM14, COM15, COM16
};
enum class TPortAddr : uint8_t { pa_03F8, pa_02F8, pa_03E8, pa_02E8 };
enum class TPortType : uint8_t { RS232C, RS422, RS485 };
enum class THardware : uint8_t { Standard, PCLabPCL745, PhoenixPSM, UserDefined };
enum class TTransmitDriver : uint8_t { tdNone, tdRegister7to1, tdRTSto1, tdDTRto0 };
enum class TReceiveDriver : uint8_t { rdNone, rdRegister7to2 };

// Number of values of each enumeration, for range checks of stored ordinals.
template <typename E> constexpr int EnumCount();
template <> constexpr int EnumCount<TBaudrate>() { return 9; }
template <> constexpr int EnumCount<TDataBit>() { return 2; }
template <> constexpr int EnumCount<TParityBit>() { return 3; }
template <> constexpr int EnumCount<TStopBit>() { return 2; }
template <> constexpr int EnumCount<TPort>() { return 16; }
template <> constexpr int EnumCount<TPortAddr>() { return 4; }
template <> constexpr int EnumCount<TPortType>() { return 3; }
template <> constexpr int EnumCount<THardware>() { return 4; }
template <> constexpr int EnumCount<TTransmitDriver>() { return 4; }
template <> constexpr int EnumCount<TReceiveDriver>() { return 2; }

template <typename E> constexpr bool InRange(E value) {
    return static_cast<int>(value) >= 0 && static_cast<int>(value) < EnumCount<E>();
}
template <typename E> constexpr bool InRange(int ordinal) {
    return ordinal >= 0 && ordinal < EnumCount<E>();
}
template <typename E> constexpr int Ord(E value) { return static_cast<int>(value); }

// The line rate of each TBaudrate, in bits per second.
inline constexpr std::array<uint32_t, EnumCount<TBaudrate>()> BaudRateValues = {
    1200, 2400, 4800, 9600, 19200, 28800, 38400, 57600, 115200};
constexpr uint32_t BitsPerSecond(TBaudrate rate) { return BaudRateValues[Ord(rate)]; }

// Outcome of one exchange. Code 0 is success; SystemError holds the OS error number of a failed
// device call; LineErrors the CE_* mask of line errors.
struct TCommError {
    int32_t Code = 0;
    int32_t SystemError = 0;
    int32_t LineErrors = 0;

    bool IsZero() const { return Code == 0 && SystemError == 0 && LineErrors == 0; }
    friend bool operator==(const TCommError&, const TCommError&) = default;
};

// Library error codes; the windows compare them.
namespace CommCode {
constexpr int32_t Success = 0;
constexpr int32_t PortClosed = 1;
constexpr int32_t ErrorAnswer = 0x1000;
constexpr int32_t SystemCall = 0x1001;
constexpr int32_t LineError = 0x1002;
constexpr int32_t EmptyFrame = 0x1003;
// A request whose component belongs to none of the protocol classes: completed with this code
// so that the queue moves on.
constexpr int32_t UnknownProtocol = 0x1004;
constexpr int32_t Timeout = 0x1070;
constexpr int32_t Checksum = 0x1071;
constexpr int32_t Lb2Header = 0x1072;
constexpr int32_t Lb2Doubling = 0x1073;
constexpr int32_t SsbHeader = 0x1074;
constexpr int32_t SsbDoubling = 0x1075;
constexpr int32_t StartChar = 0x1076;
// LD100: the reply went on for more than LD100ReplyLimit bytes without the silence that ends it.
constexpr int32_t ReplyTooLong = 0x1077;
} // namespace CommCode

// The longest LD100 reply taken: far above any real one (a few dozen bytes), so that only a
// device or a second talker streaming without a pause reaches it.
constexpr int LD100ReplyLimit = 4096;

// The OS error number of an aborted operation; also reported when the device vanished.
constexpr int32_t ERROR_OPERATION_ABORTED = 995;

// Control characters usable as head, foot, start and stop characters; the ordinal is the code.
enum class TSequenceChar : uint8_t {
    scNone, scSOH, scSTX, scETX, scEOT, scENQ, scACK, scBEL, scBS, scHT, scLF,
    scVT, scFF, scCR, scSO, scSI, scDLE, scDC1, scDC2, scDC3, scDC4, scNAK,
    scSYN, scETB, scCAN, scEM, scSUB, scESC, scFS, scGS, scRS, scUS, scSPACE
};
