// The bulk read's and the bulk write's reply handlers, driven without a line: any sequence of
// replies, failures and button presses stores exactly the values of the replies that hold one,
// repeats an unusable request once before it gives up, never counts more values than the mode
// has, and ends a write's take-over only on "bp -1" or a parameter number.
//
// The first byte picks the sequence (read or write) and its mode. Each step then takes an
// operation byte: a reply of the bytes that follow, a run of well-formed replies (so that short
// inputs reach the later phases and the take-over), a failure, Cancel or Again.

#include "comm/LBComm.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTarget.h"
#include "params/DecimalText.h"
#include "params/LeesParSollSequence.h"
#include "params/SchrijfParSollSequence.h"

#include <QString>

#include <string>

namespace {

bool IsNumber(const QString& text) {
    int32_t value = 0;
    return DecimalTextToInt(text, value);
}

// What every run keeps, whatever it was answered.
void CheckCounts(const TTransferSequence& seq) {
    FUZZ_CHECK(seq.Transferred() >= 0 && seq.Transferred() <= seq.ValueCount());
    if (seq.End() == TTransferEnd::Finished || seq.End() == TTransferEnd::TakeOverRejected ||
        seq.End() == TTransferEnd::TakeOverUnexpected)
        FUZZ_CHECK(seq.Transferred() == seq.ValueCount());
    if (seq.End() == TTransferEnd::TakeOverRejected)
        FUZZ_CHECK(IsNumber(seq.RejectedParameter()));
}

// Hands `reply` to the outstanding request of the read and checks what it made of it.
void ReadReply(TLeesParSollSequence& read, const std::string& reply) {
    const int before = read.Transferred();
    const bool parFase = read.ParFase();
    const int index = read.Index();
    const bool repeated = read.Herhaald();
    const bool cancelled = read.Stoppen();
    const std::string request = read.LastRequest();
    TMemoryStream stream =
        FuzzStream(QByteArrayView(reply.data(), static_cast<qsizetype>(reply.size())));
    read.LD100LeesParSollCommResult(&read.LD100LeesParSoll, stream);

    if (cancelled) {
        FUZZ_CHECK(read.End() == TTransferEnd::Cancelled && read.Transferred() == before);
        return;
    }
    int32_t value = 0;
    const bool usable = reply.size() <= 100 && reply.starts_with(parFase ? "rp" : "rs") &&
                        ReadReplyValue(reply, value);
    if (usable) {
        FUZZ_CHECK(read.Transferred() == before + 1);
        const auto slot = static_cast<size_t>(index);
        FUZZ_CHECK((parFase ? read.ParBuffer[slot] : read.SollBuffer[slot]) == value);
    } else {
        FUZZ_CHECK(read.Transferred() == before);
        if (repeated) {
            FUZZ_CHECK(read.End() == TTransferEnd::UnexpectedReply);
            FUZZ_CHECK(read.FailedReplyBytes() == reply);
        } else {
            FUZZ_CHECK(read.Herhaald() && read.LastRequest() == request && !read.Stopped());
        }
    }
}

void WriteReply(TSchrijfParSollSequence& write, const std::string& reply) {
    const int before = write.Transferred();
    const bool takeOver = write.LastRequest() == "bp";
    const bool parFase = write.ParFase();
    const bool repeated = write.Herhaald();
    const bool cancelled = write.Stoppen();
    TMemoryStream stream =
        FuzzStream(QByteArrayView(reply.data(), static_cast<qsizetype>(reply.size())));
    if (takeOver)
        write.LD100BerekenParametersCommResult(&write.LD100BerekenParameters, stream);
    else
        write.LD100SchrijfParSollCommResult(&write.LD100SchrijfParSoll, stream);

    if (cancelled) {
        FUZZ_CHECK(write.End() == TTransferEnd::Cancelled && write.Transferred() == before);
        return;
    }
    const bool readable = reply.size() <= 100;
    if (takeOver) {
        FUZZ_CHECK(write.Stopped() && write.Transferred() == before);
        // The reply's last two bytes are taken as its line end, whatever they are.
        const bool accepted = readable && reply.size() == 7 && reply.starts_with("bp -1");
        FUZZ_CHECK((write.End() == TTransferEnd::Finished) == accepted);
        if (write.End() != TTransferEnd::TakeOverRejected)
            return;
        const QString expected = QString::fromLatin1(reply.substr(3, reply.size() - 5));
        FUZZ_CHECK(write.RejectedParameter() == expected);
        return;
    }
    if (readable && reply.starts_with("er 7")) {
        FUZZ_CHECK(write.End() == TTransferEnd::Refused && write.Transferred() == before);
    } else if (readable && reply.starts_with(parFase ? "wp" : "ws")) {
        FUZZ_CHECK(write.Transferred() == before + 1);
    } else if (repeated) {
        FUZZ_CHECK(write.End() == TTransferEnd::UnexpectedReply);
    } else {
        FUZZ_CHECK(write.Herhaald() && !write.Stopped());
    }
}

// A well-formed answer to the request outstanding.
std::string SoundReply(TTransferSequence& seq, bool reading, uint32_t seed) {
    const std::string& request = seq.LastRequest();
    if (!reading || request == "bp")
        return (request == "bp" ? std::string("bp -1") : request) + "\r\n";
    const auto value = static_cast<int32_t>(seed * 2654435761u);
    return request + ' ' + std::to_string(value) + "\r\n";
}

} // namespace

KQ9_FUZZ_TARGET(transfer_replies) {
    static TLBComm port;
    TFuzzReader input(data, size);
    const uint8_t first = input.Byte();
    const bool reading = first % 2 == 0;
    TLeesParSollSequence read(&port);
    TSchrijfParSollSequence write(&port);
    TTransferSequence& seq = reading ? static_cast<TTransferSequence&>(read) : write;
    seq.Mode = first / 2 % 4;
    for (size_t i = 0; i < seq.ParBuffer.size(); ++i)
        seq.ParBuffer[i] = static_cast<int32_t>(i) * 7 - 1000;
    seq.Start();

    const auto answer = [&](const std::string& reply) {
        if (reading)
            ReadReply(read, reply);
        else
            WriteReply(write, reply);
        CheckCounts(seq);
    };
    for (int steps = 0; steps < 256 && !input.AtEnd(); ++steps) {
        const uint8_t op = input.Byte();
        if (seq.Stopped()) {
            if (op % 2 == 0)
                seq.CmdAgainClick();
            else
                return;
            continue;
        }
        switch (op % 8) {
        case 0:
        case 1:
        case 2:
        case 3: {
            const QByteArrayView bytes = input.Take(input.Byte() % 112);
            answer(std::string(bytes.data(), static_cast<size_t>(bytes.size())));
            break;
        }
        case 4:
        case 5:
            for (int n = 0; n < (op / 8 % 4 + 1) * 16 && !seq.Stopped(); ++n)
                answer(SoundReply(seq, reading, static_cast<uint32_t>(seq.Transferred())));
            break;
        case 6: {
            const int before = seq.Transferred();
            seq.CmdCancelClick();
            FUZZ_CHECK(seq.Stoppen() && seq.Transferred() == before);
            break;
        }
        case 7: {
            const TCommError error{op / 8 % 2 ? CommCode::Timeout : CommCode::PortClosed, 0, 0};
            TMemoryStream none;
            if (reading)
                read.LD100LeesParSollCommError(&read.LD100LeesParSoll, error, none);
            else
                write.LD100SchrijfParSollCommError(&write.LD100SchrijfParSoll, error, none);
            FUZZ_CHECK(seq.Stopped());
            FUZZ_CHECK(seq.End() == TTransferEnd::Cancelled ||
                       seq.End() == (error.Code == CommCode::Timeout ? TTransferEnd::Timeout
                                                                     : TTransferEnd::CommError));
            break;
        }
        }
    }
}
