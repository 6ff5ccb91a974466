#include "platform/sim/sim_processes.h"

#include <stdexcept>

#include "common/text.h"

namespace tonedeck {

SimProgram& SimProcesses::Program(const std::u16string& path) {
    return programs_[AsciiUpper(path)];
}

ProcessHandle SimProcesses::Launch(SimProcessStart start) {
    const std::u16string file = start.application;
    starts.push_back(start);
    if (!files_.FileExists(file)) return {};
    const auto it = programs_.find(AsciiUpper(file));
    const SimProgram program = it == programs_.end() ? SimProgram{} : it->second;
    if (program.startFails) return {};
    if (program.onStart) program.onStart(start.commandLine);
    Running running;
    running.endless = program.runsForMs == kWaitForever;
    running.endsAt = static_cast<uint64_t>(clock_.TickCount()) + program.runsForMs;
    const uint64_t value = nextHandle_;
    nextHandle_ += 4;
    running_[value] = running;
    return ProcessHandle(value);
}

ProcessHandle SimProcesses::Create(const std::u16string& application,
                                   const std::u16string& commandLine, uint32_t creationFlags) {
    return Launch({application, commandLine, creationFlags, false});
}

bool SimProcesses::ShellOpen(const std::u16string& file, ProcessHandle& process) {
    process = Launch({file, {}, 0, true});
    return process.valid();
}

WaitOutcome SimProcesses::Wait(ProcessHandle process, uint32_t milliseconds) {
    const auto it = running_.find(process.value());
    if (it == running_.end()) return WaitOutcome::kFailed;
    const uint64_t now = clock_.TickCount();
    if (it->second.endless) {
        if (milliseconds == kWaitForever) {
            throw std::logic_error("waiting for ever on a simulated program that never ends");
        }
        clock_.Sleep(milliseconds);
        return WaitOutcome::kTimedOut;
    }
    const uint64_t left = it->second.endsAt > now ? it->second.endsAt - now : 0;
    if (milliseconds != kWaitForever && left > milliseconds) {
        clock_.Sleep(milliseconds);
        return WaitOutcome::kTimedOut;
    }
    if (left > 0) clock_.Sleep(static_cast<uint32_t>(left));
    return WaitOutcome::kEnded;
}

void SimProcesses::Close(ProcessHandle process) { running_.erase(process.value()); }

void SimProcesses::BroadcastRegisteredMessage(const std::u16string& name, uint32_t timeoutMs) {
    broadcasts.emplace_back(name, timeoutMs);
}

bool SimProcesses::RequestReboot() {
    ++rebootRequests;
    return !rebootRefused;
}

}  // namespace tonedeck
