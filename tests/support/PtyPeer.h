#pragma once
// The far end of a real pty for tests of the serial layer: the code under test opens the slave
// path as its serial device; the test reads the requests on the master and answers with chosen
// bytes, chunks and gaps. A slave descriptor of its own keeps the pty alive between openings.

#include <chrono>
#include <string>
#include <vector>

namespace kq9test {

class TPtyPeer {
public:
    TPtyPeer();
    ~TPtyPeer();
    TPtyPeer(const TPtyPeer&) = delete;
    TPtyPeer& operator=(const TPtyPeer&) = delete;

    const std::string& SlavePath() const { return FSlavePath; }
    // Reads one request (bytes up to and including CR); empty when none came within timeoutMs.
    std::string ReadRequest(int timeoutMs);
    // Everything that arrives within timeoutMs (until a silence of quietMs).
    std::string ReadAll(int timeoutMs, int quietMs = 100);
    void Write(const std::string& bytes);
    // Closes the master: the slave side sees a hang-up.
    void Hangup();
    // The line settings as the opener of the slave set them.
    unsigned SlaveBaud() const;
    bool SlaveTwoStopBits() const;

private:
    int FMaster = -1;
    int FSlave = -1;
    std::string FSlavePath;
    std::string FPending;
};

} // namespace kq9test
