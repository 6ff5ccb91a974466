#pragma once
// Programs started in the simulated world: every start is recorded; a program starts when its
// file exists, runs for a scripted stretch of virtual time and may act on the world when it
// starts. Broadcasts, message pumps and reboot requests are counted.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/ports/file_system.h"
#include "platform/ports/processes.h"
#include "platform/sim/sim_clock.h"

namespace tonedeck {

struct SimProgram {
    bool startFails = false;
    uint32_t runsForMs = 0;  // kWaitForever: never ends
    // Runs when the program starts, with its command line (empty for shell starts).
    std::function<void(const std::u16string& commandLine)> onStart;
};

struct SimProcessStart {
    std::u16string application;  // the file started
    std::u16string commandLine;  // empty for shell starts
    uint32_t creationFlags = 0;
    bool viaShell = false;
};

class SimProcesses : public Processes {
  public:
    SimProcesses(FileSystem& files, SimClock& clock) : files_(files), clock_(clock) {}

    ProcessHandle Create(const std::u16string& application, const std::u16string& commandLine,
                         uint32_t creationFlags) override;
    bool ShellOpen(const std::u16string& file, ProcessHandle& process) override;
    WaitOutcome Wait(ProcessHandle process, uint32_t milliseconds) override;
    void Close(ProcessHandle process) override;
    void PumpPendingMessages() override { ++pumps; }
    void BroadcastRegisteredMessage(const std::u16string& name, uint32_t timeoutMs) override;
    bool RequestReboot() override;

    // Behaviour per program file (paths compare without regard to case); a program without an
    // entry ends at once.
    SimProgram& Program(const std::u16string& path);

    std::vector<SimProcessStart> starts;
    std::vector<std::pair<std::u16string, uint32_t>> broadcasts;
    int pumps = 0;
    int rebootRequests = 0;
    bool rebootRefused = false;
    std::size_t OpenHandleCount() const { return running_.size(); }

  private:
    ProcessHandle Launch(SimProcessStart start);

    struct Running {
        uint64_t endsAt = 0;
        bool endless = false;
    };
    FileSystem& files_;
    SimClock& clock_;
    std::map<std::u16string, SimProgram> programs_;
    std::map<uint64_t, Running> running_;
    uint64_t nextHandle_ = 0x7000;
};

}  // namespace tonedeck
