#pragma once
// Serves a simulated line on a pseudo terminal: a program opens the slave side like any serial
// device, and a thread answers on the master side. The server keeps a slave descriptor of its
// own, which keeps the pty alive between the program's openings and shows the rate and stop
// bits the program set; the pty driver forces 8 data bits and no parity, so those two cannot be
// checked here.

#include "sim/SimCommandReader.h"
#include "sim/SimLine.h"

#include <atomic>
#include <memory>
#include <string>
#include <thread>

class TSimPtyServer {
public:
    explicit TSimPtyServer(std::shared_ptr<TSimLine> line);
    ~TSimPtyServer();
    TSimPtyServer(const TSimPtyServer&) = delete;
    TSimPtyServer& operator=(const TSimPtyServer&) = delete;

    // Creates a new pty and starts serving; 0 or the errno of the step that failed (EBUSY while
    // serving, or after a dropped line until Stop).
    int Start();
    // Stops serving and closes the pty.
    void Stop();
    // The device path a program opens, for example /dev/pts/3.
    const std::string& SlavePath() const { return FSlavePath; }
    // A path that stays the same for the line, as udev gives a USB adapter a name under
    // /dev/serial/by-id: a symbolic link to the current pty, made by each Start and removed when
    // the line drops or stops. A drop followed by Stop and Start is then an adapter pulled out
    // and plugged in again. Set it before Start.
    void SetLinkPath(std::string path) { FLinkPath = std::move(path); }

    // Any thread: closes the master side, as when the cable is pulled. Programs that have the
    // slave open then get a hang-up.
    void DropLine();
    bool LineDropped() const { return FDropped.load(); }

private:
    void Serve();
    TDcb SeenSettings() const;
    // Sends one reply with its pauses; false when serving must end. `more`: further commands
    // are already waiting, which ends an endless reply at once.
    bool Send(const TSimReply& reply, bool more);
    // Filler without a pause until a command arrives; false when serving must end.
    bool SendUntilCommand();
    bool WriteAll(const char* data, size_t count);
    // Waits `ms` unless asked to stop or drop; false in that case.
    bool Pause(int ms);
    void CloseLine();
    void Link();
    void Unlink();

    std::shared_ptr<TSimLine> FLine;
    TSimCommandReader FReader;
    std::string FSlavePath;
    std::string FLinkPath;
    int FMaster = -1;
    int FSlave = -1;
    int FWake = -1; // eventfd: stop or drop requested
    std::atomic<bool> FStopping{false};
    std::atomic<bool> FDropRequested{false};
    std::atomic<bool> FDropped{false};
    std::thread FThread;
};
