#include "comm/CommLog.h"

#include "comm/CommTexts.h"
#include "comm/SerialDevice.h"

#include <cstdio>
#include <ctime>

namespace {

constexpr size_t ComponentWidth = 20;
constexpr size_t CommandWidth = 16;
constexpr size_t ReplyWidth = 26;

// The library's rows for the codes 0x1003 and 0x1070 … 0x1076.
int CodeRow(int32_t code) {
    if (code == CommCode::EmptyFrame)
        return CommRow::EmptyFrame;
    if (code >= CommCode::Timeout && code <= CommCode::StartChar)
        return CommRow::Timeout + (code - CommCode::Timeout);
    if (code == CommCode::UnknownProtocol)
        return 29;
    if (code == CommCode::ErrorAnswer)
        return 3;
    return -1;
}

// Rows 32 … 39 describe these line-error flags, in this order.
constexpr uint32_t LineErrorFlags[] = {CE_BREAK,   CE_FRAME,  CE_IOE,      CE_MODE,
                                       CE_OVERRUN, CE_RXOVER, CE_RXPARITY, CE_TXFULL};

// Two outcomes the library's table has no row for.
std::string OwnText(int32_t code, uint8_t language) {
    bool german = language == 2;
    if (code == CommCode::PortClosed)
        return german ? "Schnittstelle geschlossen!" : "Port closed!";
    if (code == CommCode::ReplyTooLong)
        return german ? "Antwort ohne Ende!" : "Reply without an end!";
    return CommText(CommRow::Unknown, language);
}

std::string Hex4(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%04X", value);
    return text;
}

std::string WithoutLineEnd(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

void AppendPadded(std::string& line, const std::string& field, size_t width) {
    line += field;
    if (field.size() < width)
        line.append(width - field.size(), ' ');
    line += "  ";
}

std::string LocalTime(std::chrono::system_clock::time_point time) {
    using namespace std::chrono;
    std::time_t seconds = system_clock::to_time_t(time);
    auto ms = duration_cast<milliseconds>(time.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min,
                  local.tm_sec, static_cast<int>(ms < 0 ? ms + 1000 : ms));
    return text;
}

} // namespace

TCommLog::TCommLog(size_t capacity) : FCapacity(capacity > 0 ? capacity : 1) {}

void TCommLog::Add(TCommLogEntry entry) {
    std::lock_guard lock(FMutex);
    if (FEntries.size() >= FCapacity) {
        FEntries.pop_front();
        ++FDropped;
    }
    FEntries.push_back(std::move(entry));
}

TCommLog::TTaken TCommLog::Take() {
    std::deque<TCommLogEntry> held;
    TTaken taken;
    {
        std::lock_guard lock(FMutex);
        held.swap(FEntries);
        taken.Dropped = FDropped;
        FDropped = 0;
    }
    taken.Entries.reserve(held.size());
    for (TCommLogEntry& entry : held)
        taken.Entries.push_back(std::move(entry));
    return taken;
}

void TCommLog::Clear() {
    std::deque<TCommLogEntry> held;
    std::lock_guard lock(FMutex);
    held.swap(FEntries);
    FDropped = 0;
}

std::string EscapeBytes(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() + 8);
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        switch (byte) {
        case '\r':
            text += "\\r";
            break;
        case '\n':
            text += "\\n";
            break;
        case '\t':
            text += "\\t";
            break;
        case '\\':
            text += "\\\\";
            break;
        default:
            if (byte >= 0x20 && byte <= 0x7E) {
                text += c;
            } else {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02X", byte);
                text += hex;
            }
        }
    }
    return text;
}

std::string CommErrorDescription(const TCommError& error, uint8_t language) {
    std::string text = "[";
    text += Hex4(static_cast<uint32_t>(error.Code));
    text += "h] ";
    if (error.Code == CommCode::SystemCall) {
        text += CommTextFormat(CommRow::SystemErrorFmt, language,
                               static_cast<uint32_t>(error.SystemError));
        std::string reason = WithoutLineEnd(SysErrorMessage(error.SystemError));
        if (!reason.empty()) {
            text += ' ';
            text += reason;
        }
    } else if (error.Code == CommCode::LineError) {
        text += CommTextFormat(CommRow::GeneralErrorFmt, language,
                               static_cast<uint32_t>(error.LineErrors));
        for (size_t i = 0; i < std::size(LineErrorFlags); ++i) {
            if (static_cast<uint32_t>(error.LineErrors) & LineErrorFlags[i]) {
                text += ' ';
                text += CommTextFormat(CommRow::LineErrorFirst + static_cast<int>(i), language,
                                       LineErrorFlags[i]);
            }
        }
    } else if (int row = CodeRow(error.Code); row >= 0) {
        text += CommText(row, language);
    } else {
        text += OwnText(error.Code, language);
    }
    return text;
}

std::string CommLogLine(const TCommLogEntry& entry, uint8_t language) {
    std::string line = LocalTime(entry.Time) + "  ";
    AppendPadded(line, entry.Component.empty() ? std::string("?") : entry.Component,
                 ComponentWidth);
    AppendPadded(line, EscapeBytes(entry.Command), CommandWidth);
    std::string reply = EscapeBytes(entry.Reply) + (entry.ReplyCut ? "..." : "");
    if (entry.Error.Code != 0)
        reply = CommErrorDescription(entry.Error, language) +
                (entry.Reply.empty() ? std::string() : " (received: " + reply + ")");
    AppendPadded(line, reply, ReplyWidth);
    char duration[32];
    std::snprintf(duration, sizeof duration, "%7.1f ms", entry.DurationMs);
    line += duration;
    return line;
}
