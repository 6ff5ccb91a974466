#include "platform/sim/sim_faulty_ports.h"

#include "common/text.h"

namespace tonedeck {

namespace {

using Kind = SimOperationKind;

std::u16string RootName(RegistryRoot root) {
    return root == RegistryRoot::kLocalMachine ? u"HKLM\\" : u"HKCU\\";
}

}  // namespace

FileReadStatus FaultyFileSystem::ReadWholeFile(const std::u16string& path,
                                               std::vector<uint8_t>& bytes) {
    return inner_.ReadWholeFile(path, bytes);
}

bool FaultyFileSystem::WriteWholeFile(const std::u16string& path,
                                      const std::vector<uint8_t>& bytes) {
    if (plan_.Fails(Kind::kFileWrite, u"WriteWholeFile " + path)) return false;
    return inner_.WriteWholeFile(path, bytes);
}

bool FaultyFileSystem::FileExists(const std::u16string& path) { return inner_.FileExists(path); }

bool FaultyFileSystem::DirectoryExists(const std::u16string& path) {
    return inner_.DirectoryExists(path);
}

bool FaultyFileSystem::CreateFolder(const std::u16string& path) {
    if (plan_.Fails(Kind::kFolderCreation, u"CreateFolder " + path)) return false;
    return inner_.CreateFolder(path);
}

std::vector<FolderEntry> FaultyFileSystem::ListFolder(const std::u16string& folder) {
    return inner_.ListFolder(folder);
}

bool FaultyFileOperations::CopyFile(const std::u16string& source, const std::u16string& target) {
    if (plan_.Fails(Kind::kFileWrite, u"CopyFile " + target)) return false;
    return inner_.CopyFile(source, target);
}

bool FaultyFileOperations::SetNormalAttributes(const std::u16string& path) {
    if (plan_.Fails(Kind::kFileWrite, u"SetNormalAttributes " + path)) return false;
    return inner_.SetNormalAttributes(path);
}

bool FaultyShell::CreateShortcut(const std::u16string& linkPath, const std::u16string& target) {
    if (plan_.Fails(Kind::kFileWrite, u"CreateShortcut " + linkPath)) return false;
    return inner_.CreateShortcut(linkPath, target);
}

RegistryKey FaultyRegistry::Remember(RegistryKey key, RegistryRoot root,
                                     const std::u16string& path) {
    if (key) paths_[key.value()] = RootName(root) + path;
    return key;
}

std::u16string FaultyRegistry::PathOf(RegistryKey key) const {
    const auto it = paths_.find(key.value());
    return it == paths_.end() ? u"?" : it->second;
}

RegistryKey FaultyRegistry::CreateKey(RegistryRoot root, const std::u16string& path,
                                      uint32_t access, const std::u16string& className) {
    if (plan_.Fails(Kind::kRegistryWrite, u"CreateKey " + RootName(root) + path)) return {};
    return Remember(inner_.CreateKey(root, path, access, className), root, path);
}

RegistryKey FaultyRegistry::OpenKey(RegistryRoot root, const std::u16string& path,
                                    uint32_t access) {
    return Remember(inner_.OpenKey(root, path, access), root, path);
}

void FaultyRegistry::CloseKey(RegistryKey key) {
    paths_.erase(key.value());
    inner_.CloseKey(key);
}

bool FaultyRegistry::SetValue(RegistryKey key, const std::u16string& name, RegistryType type,
                              std::span<const uint8_t> data) {
    if (plan_.Fails(Kind::kRegistryWrite, u"SetValue " + PathOf(key) + u" : " + name)) {
        return false;
    }
    return inner_.SetValue(key, name, type, data);
}

std::optional<RegistryValue> FaultyRegistry::QueryValue(RegistryKey key,
                                                        const std::u16string& name) {
    return inner_.QueryValue(key, name);
}

bool FaultyRegistry::DeleteValue(RegistryKey key, const std::u16string& name) {
    if (plan_.Fails(Kind::kRegistryWrite, u"DeleteValue " + PathOf(key) + u" : " + name)) {
        return false;
    }
    return inner_.DeleteValue(key, name);
}

bool FaultyRegistry::DeleteTree(RegistryKey key, const std::u16string& subkey) {
    if (plan_.Fails(Kind::kRegistryWrite, u"DeleteTree " + PathOf(key) + u"\\" + subkey)) {
        return false;
    }
    return inner_.DeleteTree(key, subkey);
}

std::optional<uint32_t> FaultyRegistry::SubkeyCount(RegistryKey key) {
    return inner_.SubkeyCount(key);
}

std::optional<std::u16string> FaultyRegistry::SubkeyName(RegistryKey key, uint32_t index,
                                                         uint32_t bufferChars) {
    return inner_.SubkeyName(key, index, bufferChars);
}

bool FaultyRegistry::Flush(RegistryKey key) {
    if (plan_.Fails(Kind::kRegistryWrite, u"Flush " + PathOf(key))) return false;
    return inner_.Flush(key);
}

std::u16string FaultyServiceManager::NameOf(ServiceHandle service) const {
    const auto it = names_.find(service.value());
    return it == names_.end() ? u"?" : it->second;
}

ServiceHandle FaultyServiceManager::OpenManager(uint32_t access) {
    if (plan_.Fails(Kind::kServiceCall, u"OpenManager")) return {};
    return inner_.OpenManager(access);
}

ServiceHandle FaultyServiceManager::OpenService(ServiceHandle manager, const std::u16string& name,
                                                uint32_t access) {
    if (plan_.Fails(Kind::kServiceCall, u"OpenService " + name)) return {};
    const ServiceHandle service = inner_.OpenService(manager, name, access);
    if (service) names_[service.value()] = name;
    return service;
}

void FaultyServiceManager::Close(ServiceHandle handle) {
    names_.erase(handle.value());
    inner_.Close(handle);
}

std::optional<uint32_t> FaultyServiceManager::QueryState(ServiceHandle service) {
    if (plan_.Fails(Kind::kServiceCall, u"QueryState " + NameOf(service))) return std::nullopt;
    return inner_.QueryState(service);
}

bool FaultyServiceManager::Control(ServiceHandle service, uint32_t control) {
    if (plan_.Fails(Kind::kServiceCall,
                    u"Control " + NameOf(service) + u" " + DecimalText(control))) {
        return false;
    }
    return inner_.Control(service, control);
}

bool FaultyServiceManager::Start(ServiceHandle service) {
    if (plan_.Fails(Kind::kServiceCall, u"Start " + NameOf(service))) return false;
    return inner_.Start(service);
}

bool FaultyServiceManager::Delete(ServiceHandle service) {
    if (plan_.Fails(Kind::kServiceCall, u"Delete " + NameOf(service))) return false;
    return inner_.Delete(service);
}

ProcessHandle FaultyProcesses::Create(const std::u16string& application,
                                      const std::u16string& commandLine, uint32_t creationFlags) {
    if (plan_.Fails(Kind::kProcess, u"Create " + application)) return {};
    return inner_.Create(application, commandLine, creationFlags);
}

bool FaultyProcesses::ShellOpen(const std::u16string& file, ProcessHandle& process) {
    if (plan_.Fails(Kind::kProcess, u"ShellOpen " + file)) {
        process = {};
        return false;
    }
    return inner_.ShellOpen(file, process);
}

WaitOutcome FaultyProcesses::Wait(ProcessHandle process, uint32_t milliseconds) {
    if (plan_.Fails(Kind::kProcess, u"Wait")) return WaitOutcome::kFailed;
    return inner_.Wait(process, milliseconds);
}

}  // namespace tonedeck
