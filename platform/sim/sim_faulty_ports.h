#pragma once
// Ports that pass every call on to the simulated world, except that the calls which change the
// world go through a SimFaultPlan first: it records them and may make one fail as Windows
// would (nothing written, none handle, false). Reads pass through unrecorded.

#include <map>
#include <string>

#include "platform/ports/file_operations.h"
#include "platform/ports/file_system.h"
#include "platform/ports/processes.h"
#include "platform/ports/registry.h"
#include "platform/ports/service_manager.h"
#include "platform/ports/shell.h"
#include "platform/sim/sim_fault_plan.h"

namespace tonedeck {

class FaultyFileSystem : public FileSystem {
  public:
    FaultyFileSystem(FileSystem& inner, SimFaultPlan& plan) : inner_(inner), plan_(plan) {}

    FileReadStatus ReadWholeFile(const std::u16string& path, std::vector<uint8_t>& bytes) override;
    bool WriteWholeFile(const std::u16string& path, const std::vector<uint8_t>& bytes) override;
    bool FileExists(const std::u16string& path) override;
    bool DirectoryExists(const std::u16string& path) override;
    bool CreateFolder(const std::u16string& path) override;
    std::vector<FolderEntry> ListFolder(const std::u16string& folder) override;

  private:
    FileSystem& inner_;
    SimFaultPlan& plan_;
};

class FaultyFileOperations : public FileOperations {
  public:
    FaultyFileOperations(FileOperations& inner, SimFaultPlan& plan) : inner_(inner), plan_(plan) {}

    bool CopyFile(const std::u16string& source, const std::u16string& target) override;
    bool SetNormalAttributes(const std::u16string& path) override;

  private:
    FileOperations& inner_;
    SimFaultPlan& plan_;
};

class FaultyShell : public Shell {
  public:
    FaultyShell(Shell& inner, SimFaultPlan& plan) : inner_(inner), plan_(plan) {}

    std::u16string CommonProgramsFolder() override { return inner_.CommonProgramsFolder(); }
    bool CreateShortcut(const std::u16string& linkPath, const std::u16string& target) override;

  private:
    Shell& inner_;
    SimFaultPlan& plan_;
};

class FaultyRegistry : public Registry {
  public:
    FaultyRegistry(Registry& inner, SimFaultPlan& plan) : inner_(inner), plan_(plan) {}

    RegistryKey CreateKey(RegistryRoot root, const std::u16string& path, uint32_t access,
                          const std::u16string& className) override;
    RegistryKey OpenKey(RegistryRoot root, const std::u16string& path, uint32_t access) override;
    void CloseKey(RegistryKey key) override;
    bool SetValue(RegistryKey key, const std::u16string& name, RegistryType type,
                  std::span<const uint8_t> data) override;
    std::optional<RegistryValue> QueryValue(RegistryKey key, const std::u16string& name) override;
    bool DeleteValue(RegistryKey key, const std::u16string& name) override;
    bool DeleteTree(RegistryKey key, const std::u16string& subkey) override;
    std::optional<uint32_t> SubkeyCount(RegistryKey key) override;
    std::optional<std::u16string> SubkeyName(RegistryKey key, uint32_t index,
                                             uint32_t bufferChars) override;
    bool Flush(RegistryKey key) override;

  private:
    RegistryKey Remember(RegistryKey key, RegistryRoot root, const std::u16string& path);
    std::u16string PathOf(RegistryKey key) const;

    Registry& inner_;
    SimFaultPlan& plan_;
    std::map<uint64_t, std::u16string> paths_;
};

class FaultyServiceManager : public ServiceManager {
  public:
    FaultyServiceManager(ServiceManager& inner, SimFaultPlan& plan) : inner_(inner), plan_(plan) {}

    ServiceHandle OpenManager(uint32_t access) override;
    ServiceHandle OpenService(ServiceHandle manager, const std::u16string& name,
                              uint32_t access) override;
    void Close(ServiceHandle handle) override;
    std::optional<uint32_t> QueryState(ServiceHandle service) override;
    bool Control(ServiceHandle service, uint32_t control) override;
    bool Start(ServiceHandle service) override;
    bool Delete(ServiceHandle service) override;

  private:
    std::u16string NameOf(ServiceHandle service) const;

    ServiceManager& inner_;
    SimFaultPlan& plan_;
    std::map<uint64_t, std::u16string> names_;
};

class FaultyProcesses : public Processes {
  public:
    FaultyProcesses(Processes& inner, SimFaultPlan& plan) : inner_(inner), plan_(plan) {}

    ProcessHandle Create(const std::u16string& application, const std::u16string& commandLine,
                         uint32_t creationFlags) override;
    bool ShellOpen(const std::u16string& file, ProcessHandle& process) override;
    WaitOutcome Wait(ProcessHandle process, uint32_t milliseconds) override;
    void Close(ProcessHandle process) override { inner_.Close(process); }
    void PumpPendingMessages() override { inner_.PumpPendingMessages(); }
    void BroadcastRegisteredMessage(const std::u16string& name, uint32_t timeoutMs) override {
        inner_.BroadcastRegisteredMessage(name, timeoutMs);
    }
    bool RequestReboot() override { return inner_.RequestReboot(); }

  private:
    Processes& inner_;
    SimFaultPlan& plan_;
};

}  // namespace tonedeck
