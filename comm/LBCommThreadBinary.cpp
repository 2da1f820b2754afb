// The two binary framings of the worker thread: LB2 (header 0x82 0x96, 0x82 doubled, XOR
// checksum) and SSB (DLE STX … DLE ETX BCC, DLE doubled).

#include "comm/LBCommThread.h"

namespace {
constexpr uint8_t LB2Mark = 0x82, LB2Second = 0x96;
constexpr uint8_t DLE = 0x10, STX = 0x02, ETX = 0x03;
constexpr int MaxAttempts = 3;
// The count byte of an SSB reply counts itself, so a reply holds at most 254 data bytes.
constexpr int LastDataIndex = 254;
} // namespace

void TLBCommThread::BuildLB2Transmit() {
    int length = FFrame[0];
    FTransmit = {LB2Mark, LB2Second};
    uint8_t checksum = 0;
    for (int i = 0; i < length; ++i) {
        uint8_t byte = FFrame[i];
        checksum ^= byte;
        FTransmit.push_back(byte);
        if (byte == LB2Mark)
            FTransmit.push_back(byte);
    }
    FTransmit.push_back(checksum);
    if (checksum == LB2Mark)
        FTransmit.push_back(checksum);
}

void TLBCommThread::BuildSSBTransmit() {
    int length = FFrame[0];
    FTransmit = {DLE, STX};
    uint8_t bcc = 0;
    for (int i = 1; i < length; ++i) {
        uint8_t byte = FFrame[i];
        bcc ^= byte;
        FTransmit.push_back(byte);
        if (byte == DLE)
            FTransmit.push_back(byte);
    }
    FTransmit.insert(FTransmit.end(), {DLE, ETX, bcc});
}

// Sends the abort frame after a broken reply; the error record stays as it was.
void TLBCommThread::SendAbortFrame(uint8_t marker) {
    TCommError saved = FError;
    const uint8_t frame[4] = {marker, 0x00, marker, 0x00};
    FError = TCommError{};
    WriteBytes(frame, 4);
    FError = saved;
}

void TLBCommThread::ReceiveLB2() {
    uint8_t header[3] = {};
    int headerCount = 0;
    FReceiveState = 1;
    FIndex = 0;
    while (!FTerminated) {
        ReadByte();
        if (FError.Code != 0)
            return;
        uint8_t byte = FByte;
        bool complete = false;
        switch (FReceiveState) {
        case 1:
            header[headerCount++] = byte;
            if (headerCount < 3)
                break;
            if (header[0] != LB2Mark || header[1] != LB2Second) {
                FError.Code = CommCode::Lb2Header;
                return;
            }
            FLineBuffer[0] = byte;
            FChecksum = byte;
            FExpectedLength = byte;
            FIndex = 0;
            FReceiveState = byte == LB2Mark ? 3 : 2;
            if (FReceiveState == 2)
                FIndex = 1;
            break;
        case 2:
            FLineBuffer[FIndex] = byte;
            FChecksum ^= byte;
            if (byte == LB2Mark)
                FReceiveState = 3;
            else if (FIndex >= FExpectedLength)
                complete = true;
            else
                ++FIndex;
            break;
        case 3:
            if (byte != LB2Mark) {
                FError.Code = CommCode::Lb2Doubling;
                return;
            }
            if (FIndex >= FExpectedLength) {
                complete = true;
            } else {
                ++FIndex;
                FReceiveState = 2;
            }
            break;
        }
        if (complete) {
            if (FChecksum != 0)
                FError.Code = CommCode::Checksum;
            else if (FLineBuffer[1] == 0xFF)
                FError.Code = CommCode::ErrorAnswer;
            return;
        }
    }
}

bool TLBCommThread::RunLB2() {
    if (!FrameReady())
        return FTerminated;
    BuildLB2Transmit();
    for (;;) {
        FError = TCommError{};
        FLineBuffer.fill(0);
        TransmitFrame();
        if (FError.Code != 0)
            return FTerminated;
        ReceiveLB2();
        if (FTerminated)
            return true;
        if (FError.Code == CommCode::ErrorAnswer || FError.Code == CommCode::PortClosed)
            return FTerminated;
        if (FError.Code != 0) {
            if (FError.Code != CommCode::Timeout)
                DiscardInput();
            if (!FTerminated)
                SendAbortFrame(LB2Mark);
            return FTerminated;
        }
        FRestart = false;
        HandDataReceived();
        if (!FRestart || FTerminated)
            return FTerminated;
    }
}

void TLBCommThread::ReceiveSSB() {
    uint8_t header[3] = {};
    int headerCount = 0;
    FReceiveState = 1;
    FIndex = 0;
    while (!FTerminated) {
        ReadByte();
        if (FError.Code != 0)
            return;
        uint8_t byte = FByte;
        // A data byte beyond the longest reply the count byte can describe (the DLE ETX that
        // ends a reply is no data byte).
        bool data = (FReceiveState == 2 && byte != DLE) || (FReceiveState == 3 && byte == DLE);
        if (data && FIndex + 1 > LastDataIndex) {
            FError.Code = CommCode::SsbDoubling;
            return;
        }
        switch (FReceiveState) {
        case 1:
            header[headerCount++] = byte;
            if (headerCount < 3)
                break;
            if (header[0] != DLE || header[1] != STX) {
                FError.Code = CommCode::SsbHeader;
                return;
            }
            FIndex = 0;
            if (byte == DLE) {
                FChecksum = 0;
                FReceiveState = 3;
            } else {
                FLineBuffer[1] = byte;
                FChecksum = byte;
                FIndex = 1;
                FReceiveState = 2;
            }
            break;
        case 2:
            if (byte == DLE) {
                FReceiveState = 3;
            } else {
                FLineBuffer[FIndex + 1] = byte;
                FChecksum ^= byte;
                ++FIndex;
            }
            break;
        case 3:
            if (byte == DLE) {
                FLineBuffer[FIndex + 1] = byte;
                FChecksum ^= byte;
                ++FIndex;
                FReceiveState = 2;
            } else if (byte == ETX) {
                FReceiveState = 4;
            } else {
                FError.Code = CommCode::SsbDoubling;
                return;
            }
            break;
        case 4:
            ++FIndex;
            if (byte != FChecksum) {
                FError.Code = CommCode::Checksum;
                return;
            }
            FLineBuffer[0] = static_cast<uint8_t>(FIndex);
            if (FLineBuffer[1] == 0xFF)
                FError.Code = CommCode::ErrorAnswer;
            return;
        }
    }
}

bool TLBCommThread::RunSSB() {
    if (!FrameReady())
        return FTerminated;
    BuildSSBTransmit();
    int attempts = 0;
    while (attempts < MaxAttempts) {
        FError = TCommError{};
        FLineBuffer.fill(0);
        TransmitFrame();
        if (FError.Code == CommCode::PortClosed)
            return FTerminated;
        if (FError.Code != 0) {
            ++attempts;
            continue;
        }
        ReceiveSSB();
        if (FTerminated)
            return true;
        if (FError.Code == CommCode::ErrorAnswer || FError.Code == CommCode::PortClosed)
            return FTerminated;
        if (FError.Code != 0) {
            if (FError.Code != CommCode::Timeout)
                DiscardInput();
            if (FTerminated)
                return true;
            SendAbortFrame(DLE);
            if (FError.Code == CommCode::Timeout)
                return FTerminated;
            ++attempts;
            continue;
        }
        FRestart = false;
        HandDataReceived();
        if (!FRestart || FTerminated)
            return FTerminated;
        attempts = 0;
    }
    return FTerminated;
}
