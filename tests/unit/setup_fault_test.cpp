// Every call of an installation that changes the machine (file write, folder creation,
// registry write, service call, program start) fails in turn. The calls are taken from a clean
// run; then, for each one, a run where it fails shows the code of its step or nothing, runs
// nothing after a failed step, and a second run without the fault leaves the machine exactly
// as a clean installation does.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>

#include "platform/sim/sim_fault_plan.h"
#include "platform/sim/sim_faulty_ports.h"
#include "setup/device_setup.h"
#include "setup/registration.h"
#include "tests/unit/setup_world.h"

namespace tonedeck::setup_test {
namespace {

constexpr char16_t kStepMark[] = u"===== Install STEP";
constexpr char16_t kFailed[] = u"Installation failed.";

// The install step running, from the trace lines so far.
std::u16string StepOf(const std::vector<std::u16string>& traces) {
    for (auto line = traces.rbegin(); line != traces.rend(); ++line) {
        if (line->starts_with(kStepMark)) return u"STEP" + line->substr(18, 1);
    }
    return u"before STEP1";
}

// A setup world whose installer reaches files, registry, services, programs and shortcuts
// through a fault plan; the plan acts only while the install sequence runs.
struct FaultRig {
    SetupWorld world;
    SimFaultPlan plan;
    FaultyFileSystem files{world.files, plan};
    FaultyFileOperations fileOps{world.fileOps, plan};
    FaultyRegistry registry{world.registry, plan};
    FaultyServiceManager services{world.services, plan};
    FaultyProcesses processes{world.processes, plan};
    FaultyShell shell{world.shell, plan};

    FaultRig() {
        plan.active = false;
        plan.phase = [this] { return StepOf(world.system.traceLines); };
    }

    // Shown with English picked, then Next and the worker to its end.
    std::unique_ptr<TMainForm> Install() {
        auto form = std::make_unique<TMainForm>(
            SetupPorts{files, fileOps, world.profiles, world.system, registry, services, processes,
                       world.payloads, shell, world.devices.deviceTree(), world.devices.ioControl(),
                       world.clock},
            world.view, world.reporter, world.launcher, kSetupProgram, false);
        form->FormShow(800, 600);
        const auto& folders = form->languageFolders();
        form->ComboBoxChange(static_cast<int>(
            std::find(folders.begin(), folders.end(), u"English") - folders.begin()));
        plan.active = true;
        world.RunInstall(*form);
        plan.active = false;
        return form;
    }

    // What one run saw, so the next starts afresh on the machine it left.
    void ForgetRun() {
        world.view = RecordingWizardView{};
        world.reporter = RecordingReporter{};
        world.system.traceLines.clear();
        plan.operations.clear();
    }
};

// Everything an installation leaves behind: files and folders, registry keys with their class
// and values in both views, and the device service.
using MachineState = std::map<std::string, std::string>;

void AddFolder(SimFileSystem& files, const std::u16string& folder, MachineState& state) {
    for (const FolderEntry& entry : files.ListFolder(folder)) {
        const std::u16string path = folder + u"\\" + entry.name;
        if (entry.isDirectory) {
            state[U16ToUtf8(path)] = "<folder>";
            AddFolder(files, path, state);
        } else {
            const auto bytes = files.FileBytes(path);
            state[U16ToUtf8(path)] = std::string(bytes.begin(), bytes.end());
        }
    }
}

void AddKey(SimRegistry& registry, SimRegistryView view, const std::u16string& path,
            MachineState& state) {
    const std::string label =
        (view == SimRegistryView::kWow32 ? "WOW32:" : "HKLM:") + U16ToUtf8(path);
    state[label] =
        "<key " + U16ToUtf8(registry.ClassName(RegistryRoot::kLocalMachine, view, path)) + ">";
    for (const auto& name : registry.ValueNames(RegistryRoot::kLocalMachine, view, path)) {
        const auto value = registry.Value(RegistryRoot::kLocalMachine, view, path, name);
        state[label + " : " + U16ToUtf8(name)] =
            std::to_string(static_cast<uint32_t>(value->type)) + ":" +
            std::string(value->data.begin(), value->data.end());
    }
    const uint32_t viewFlag = view == SimRegistryView::kWow32 ? kKeyWow64_32 : kKeyWow64_64;
    const RegistryKey key =
        registry.OpenKey(RegistryRoot::kLocalMachine, path, kKeyRead | viewFlag);
    if (!key) return;
    const uint32_t count = registry.SubkeyCount(key).value_or(0);
    for (uint32_t index = 0; index < count; ++index) {
        if (const auto name = registry.SubkeyName(key, index, 256)) {
            AddKey(registry, view, path + u"\\" + *name, state);
        }
    }
    registry.CloseKey(key);
}

MachineState StateOf(SetupWorld& world) {
    MachineState state;
    AddFolder(world.files, u"C:", state);
    for (const auto view : {SimRegistryView::kNative, SimRegistryView::kWow32}) {
        for (const char16_t* top : {u"SOFTWARE", u"SYSTEM"}) {
            if (world.registry.KeyExists(RegistryRoot::kLocalMachine, view, top)) {
                AddKey(world.registry, view, top, state);
            }
        }
    }
    state["service Tonewarden"] =
        world.services.Exists(u"Tonewarden")
            ? "state " + std::to_string(world.services.At(u"Tonewarden").state)
            : "absent";
    return state;
}

// A machine the installation runs on.
struct Machine {
    const char* name;
    std::function<void(FaultRig&)> prepare;
    // Calls whose failure fails a step on this machine beyond the common ones.
    std::vector<std::pair<std::u16string, std::u16string>> alsoFailing;  // {phase+" "+what, code}
};

void SixtyFourBitWindows7(FaultRig& rig) {
    rig.world.system.wow64 = true;
    rig.world.registry.windows64 = true;
    rig.world.system.systemDirectory = u"C:\\Windows\\SysWOW64";
    rig.world.system.systemDirectoryUnredirected = u"C:\\Windows\\system32";
    rig.world.system.versionAnswers[284].servicePackMajor = 1;
}

void EarlierInstallation(FaultRig& rig) {
    rig.world.PutPayloads("v0");
    rig.Install();
    rig.world.PutPayloads("v1");
    rig.ForgetRun();
}

constexpr char16_t kDriverValues[] =
    u"SetValue HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tonegate : ";

// The step whose code a failing call must show, from what each step is made of: the driver
// key and file (1), the service file and its registration run (2), the control-panel file
// and its Run value (3), the uninstaller file (4). Every other call is best effort.
std::u16string ExpectedCode(const SimOperation& op, const Machine& machine) {
    const std::pair<const char16_t*, const char16_t*> common[] = {
        {u"STEP1 CreateKey HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tonegate", u"1"},
        {u"STEP1 WriteWholeFile C:\\Windows\\system32\\drivers\\Tonegate.sys", u"1"},
        {u"STEP2 WriteWholeFile C:\\Windows\\system32\\Tonewarden.exe", u"2"},
        {u"STEP2 Create C:\\Windows\\system32\\Tonewarden.exe", u"2"},
        {u"STEP2 Wait", u"2"},
        {u"STEP3 WriteWholeFile C:\\Program Files\\Tonedeck\\Tonedeck.exe", u"3"},
        {u"STEP3 CreateKey HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", u"3"},
        {u"STEP3 SetValue HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run : Tonedeck",
         u"3"},
        {u"STEP4 WriteWholeFile C:\\Program Files\\Tonedeck\\Uninstall.exe", u"4"},
    };
    const std::u16string call = op.phase + u" " + op.what;
    if (op.phase == u"STEP1" && op.what.starts_with(kDriverValues)) return u"1";
    for (const auto& [failing, code] : common) {
        if (call == failing) return code;
    }
    for (const auto& [failing, code] : machine.alsoFailing) {
        if (call == failing) return code;
    }
    return u"";
}

std::u16string Failure(const std::u16string& code) {
    return kFailed + (u"(Code = 0x8000000" + code + u")");
}

const Machine kMachines[] = {
    {"fresh 32-bit Windows",
     [](FaultRig&) {},
     {{u"STEP3 CreateFolder C:\\Program Files\\Tonedeck\\", u"3"}}},
    // The install folder is already there: failing to make it again does no harm.
    {"32-bit Windows with an earlier installation running", EarlierInstallation, {}},
    // The update is needed: the package written in step 5 is what step 8 starts.
    {"64-bit Windows 7 SP1 without the update",
     SixtyFourBitWindows7,
     {{u"STEP3 CreateFolder C:\\Program Files\\Tonedeck\\", u"3"},
      {u"STEP5 WriteWholeFile C:\\Windows\\SysWOW64\\Windows6.1-KB3033929-x64.msu", u"6"},
      {u"STEP8 ShellOpen C:\\Windows\\SysWOW64\\Windows6.1-KB3033929-x64.msu", u"6"}}},
};

struct CleanRun {
    std::vector<SimOperation> operations;
    std::vector<uint32_t> progress;
    std::vector<std::u16string> shown;
    MachineState state;
};

CleanRun RunClean(const Machine& machine) {
    FaultRig rig;
    machine.prepare(rig);
    auto form = rig.Install();
    EXPECT_EQ(form->InstallSucceeded(), 1) << machine.name;
    CleanRun clean{
        rig.plan.operations, rig.world.reporter.ProgressPosted(), {}, StateOf(rig.world)};
    for (const auto& message : rig.world.reporter.shown) clean.shown.push_back(message.text);
    return clean;
}

TEST(SetupFaults, EveryChangingCallFailsInTurnAndARerunCompletesTheInstallation) {
    for (const Machine& machine : kMachines) {
        SCOPED_TRACE(machine.name);
        const CleanRun clean = RunClean(machine);
        ASSERT_FALSE(clean.operations.empty());

        std::map<SimOperationKind, std::size_t> seen;
        std::map<std::u16string, int> outcomes;
        for (std::size_t index = 0; index < clean.operations.size(); ++index) {
            const SimOperation& target = clean.operations[index];
            const std::size_t nth = ++seen[target.kind];
            SCOPED_TRACE(U16ToUtf8(target.phase + u" " + target.what + u" (" +
                                   KindName(target.kind) + u" " + Utf8ToU16(std::to_string(nth)) +
                                   u")"));
            const std::u16string code = ExpectedCode(target, machine);

            FaultRig rig;
            machine.prepare(rig);
            rig.plan.FailNth(target.kind, nth);
            auto form = rig.Install();
            const auto& ops = rig.plan.operations;

            // The same calls up to the failing one, and that one failed.
            ASSERT_GT(ops.size(), index);
            for (std::size_t i = 0; i < index; ++i) ASSERT_EQ(ops[i], clean.operations[i]) << i;
            SimOperation failedCopy = target;
            failedCopy.failed = true;
            EXPECT_EQ(ops[index], failedCopy);

            std::vector<std::u16string> shown;
            for (const auto& message : rig.world.reporter.shown) shown.push_back(message.text);
            const auto progress = rig.world.reporter.ProgressPosted();
            if (code.empty()) {
                EXPECT_EQ(form->InstallSucceeded(), 1);
                EXPECT_EQ(shown, clean.shown);
                EXPECT_EQ(progress, clean.progress);
            } else {
                EXPECT_EQ(form->InstallSucceeded(), 0);
                ASSERT_FALSE(shown.empty());
                EXPECT_EQ(shown.back(), Failure(code));
                EXPECT_EQ(std::count_if(shown.begin(), shown.end(),
                                        [](const auto& t) { return t.starts_with(kFailed); }),
                          1);
                EXPECT_TRUE(rig.world.reporter.beeps.empty());
                // Nothing of a later step ran, and the bar stayed where the step left it.
                const std::u16string failingStep = code == u"6" ? u"STEP8" : u"STEP" + code;
                for (std::size_t i = index; i < ops.size(); ++i) {
                    EXPECT_LE(ops[i].phase, failingStep) << U16ToUtf8(ops[i].what);
                }
                EXPECT_EQ(StepOf(rig.world.system.traceLines), failingStep);
                ASSERT_LE(progress.size(), clean.progress.size());
                EXPECT_TRUE(std::equal(progress.begin(), progress.end(), clean.progress.begin()));
            }
            EXPECT_EQ(rig.world.view.pages.back(), WizardPage::kFinish);
            ++outcomes[code.empty() ? u"completed" : Failure(code)];

            rig.plan.Disarm();
            rig.ForgetRun();
            auto rerun = rig.Install();
            EXPECT_EQ(rerun->InstallSucceeded(), 1);
            EXPECT_EQ(StateOf(rig.world), clean.state);
            EXPECT_EQ(rig.world.registry.OpenKeyCount(), 0u);
            EXPECT_EQ(rig.world.services.OpenHandleCount(), 0u);
            EXPECT_EQ(rig.world.processes.OpenHandleCount(), 0u);
        }

        // Figures for the record (--gtest_output=xml).
        std::string figures = "calls=" + std::to_string(clean.operations.size());
        for (const auto& [kind, count] : seen) {
            figures += "; " + U16ToUtf8(KindName(kind)) + "=" + std::to_string(count);
        }
        for (const auto& [outcome, count] : outcomes) {
            figures += "; " + U16ToUtf8(outcome) + " x" + std::to_string(count);
        }
        ::testing::Test::RecordProperty(machine.name, figures);
    }
}

// Regression cases: registry writes the installation depends on, lost after their key opened.
TEST(SetupFaults, LostDriverKeyValueFailsTheDriverStep) {
    // The key itself is the first registry write, its values follow in this order.
    const std::pair<const char16_t*, std::size_t> values[] = {
        {u"ErrorControl", 2}, {u"Start", 3}, {u"Type", 4}, {u"ImagePath", 5}};
    for (const auto& [value, nth] : values) {
        SCOPED_TRACE(U16ToUtf8(value));
        FaultRig rig;
        rig.plan.active = true;
        rig.plan.FailNth(SimOperationKind::kRegistryWrite, nth);
        EXPECT_EQ(CreateDriverServiceKey(rig.registry, kFilterDriverName), 1);
        EXPECT_FALSE(rig.world.registry.Value(RegistryRoot::kLocalMachine, SimRegistryView::kNative,
                                              u"SYSTEM\\CurrentControlSet\\Services\\Tonegate",
                                              value));
        EXPECT_EQ(rig.world.registry.OpenKeyCount(), 0u);
    }
}

TEST(SetupFaults, LostRunValueFailsTheApplicationStep) {
    FaultRig rig;
    rig.plan.active = true;
    rig.plan.FailNth(SimOperationKind::kRegistryWrite, 2);  // the value, after its key
    EXPECT_EQ(SetRunAtLogon(rig.registry, u"Tonedeck", u"\"C:\\x.exe\" -start"), 1);
    EXPECT_FALSE(rig.world.MachineText(kRunKey, u"Tonedeck").has_value());
    EXPECT_EQ(rig.world.registry.OpenKeyCount(), 0u);
}

// The install folder is made as "...\\Tonedeck\\"; a listing must still name it.
TEST(SetupFaults, FolderMadeWithAFinalBackslashIsListedByItsName) {
    SimFileSystem files;
    ASSERT_TRUE(files.CreateFolder(u"C:\\Program Files"));
    ASSERT_TRUE(files.CreateFolder(u"C:\\Program Files\\Tonedeck\\"));
    const auto entries = files.ListFolder(u"C:\\Program Files");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, u"Tonedeck");
    EXPECT_TRUE(entries[0].isDirectory);
}

}  // namespace
}  // namespace tonedeck::setup_test
