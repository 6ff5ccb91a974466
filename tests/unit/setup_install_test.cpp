// The install sequence on the simulated world: traces, progress, messages, and what lands in
// the registry, the file system and the service manager.

#include <gtest/gtest.h>

#include "setup/update_package.h"
#include "tests/unit/setup_world.h"

namespace tonedeck::setup_test {
namespace {

constexpr char16_t kDriverKey[] = u"SYSTEM\\CurrentControlSet\\Services\\Tonegate";

class InstallTest : public ::testing::Test {
  protected:
    // A plugged sound device whose filter is not attached yet (no earlier installation).
    int AddFreshDevice() {
        SoundDeviceOptions options;
        options.filterRunning = false;
        const int unit = world.devices.AddSoundDevice(options);
        world.attachFilter = [this, unit] {
            world.devices.ExtensionNode(unit).lowerFilters =
                std::vector<std::u16string>{u"Tonegate"};
        };
        return unit;
    }

    SetupWorld world;
};

TEST_F(InstallTest, FreshInstallRunsAllStepsAndRegistersEverything) {
    const int unit = AddFreshDevice();
    auto form = world.ShowFormInEnglish();
    world.RunInstall(*form);

    EXPECT_EQ(world.TracesFrom(u"==> TMainForm::Install\n"),
              (std::vector<std::u16string>{
                  u"==> TMainForm::Install\n",
                  u"===== Install STEP1 =====\n",
                  u"==> TMainForm::Install_FilterDriver\n",
                  u"===== Install STEP2 =====\n",
                  u"===== Install STEP3 =====\n",
                  u"===== Install STEP4 =====\n",
                  u"===== Install STEP5 =====\n",
                  u"##### Create Directory = C:\\Program Files\\Tonedeck\\Skin\n",
                  u"##### Create Directory = C:\\Program Files\\Tonedeck\\Skin\\Blue\n",
                  u"##### Create Directory = C:\\Program Files\\Tonedeck\\Skin\\Blue\n",
                  u"***** Create Directory FAIL! *****\n",
                  u"##### Create Directory = C:\\Program Files\\Tonedeck\\Skin\\Blue\\Pictures\n",
                  u"##### Create Directory = C:\\Program Files\\Tonedeck\\Skin\\Blue\\Pictures\n",
                  u"***** Create Directory FAIL! *****\n",
                  u"##### Create Directory = C:\\Program Files\\Tonedeck\\Language\n",
                  u"##### Create Directory = C:\\Program Files\\Tonedeck\\Language\\Deutsch\n",
                  u"##### Create Directory = C:\\Program Files\\Tonedeck\\Language\\Deutsch\n",
                  u"***** Create Directory FAIL! *****\n",
                  u"##### Create Directory = C:\\Program Files\\Tonedeck\\Language\\English\n",
                  u"##### Create Directory = C:\\Program Files\\Tonedeck\\Language\\English\n",
                  u"***** Create Directory FAIL! *****\n",
                  u"##### Create Directory = C:\\Program Files\\Tonedeck\\Language\\Klingon\n",
                  u"##### Create Directory = C:\\Program Files\\Tonedeck\\Language\\Klingon\n",
                  u"***** Create Directory FAIL! *****\n",
                  u"==> TMainForm::Copy_KB3033929\n",
                  u"===== Install STEP6 =====\n",
                  u"##### Create Directory = C:\\Program Files\\Tonedeck\\Manual\\English\n",
                  u"===== Install STEP7 =====\n",
                  u"===== Install STEP8 =====\n",
                  u"##### The OS is 32-Bit #####\n",
              }));
    EXPECT_EQ(world.reporter.ProgressPosted(),
              (std::vector<uint32_t>{1, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
    EXPECT_TRUE(world.reporter.shown.empty());
    EXPECT_EQ(world.reporter.beeps, (std::vector<std::pair<uint32_t, uint32_t>>{{500, 100}}));
    ASSERT_FALSE(world.reporter.posted.empty());
    EXPECT_EQ(world.reporter.posted.back(), (SetupMessage{kWmSetupFinished, 0}));
    EXPECT_EQ(form->InstallSucceeded(), 1);
    EXPECT_EQ(world.view.progress.back(), 100);
    EXPECT_EQ(world.view.pages.back(), WizardPage::kFinish);
    EXPECT_EQ(world.view.checked, WizardControl::kRebootRadioButton);
    EXPECT_FALSE(world.view.visible.at(WizardControl::kCancelBitBtn));
    EXPECT_TRUE(world.view.enabled.at(WizardControl::kFinishBitBtn));

    // Driver: the 32-bit build in the system folder, its service key in table order.
    EXPECT_EQ(world.FileText(u"C:\\Windows\\system32\\drivers\\Tonegate.sys"), "DRIVER102-v1");
    EXPECT_EQ(world.registry.ValueNames(RegistryRoot::kLocalMachine, SimRegistryView::kNative,
                                        kDriverKey),
              (std::vector<std::u16string>{u"ErrorControl", u"Start", u"Type", u"ImagePath"}));
    EXPECT_EQ(
        world.registry.ClassName(RegistryRoot::kLocalMachine, SimRegistryView::kNative, kDriverKey),
        u"Tonegate");
    const auto imagePath = world.registry.Value(RegistryRoot::kLocalMachine,
                                                SimRegistryView::kNative, kDriverKey, u"ImagePath");
    ASSERT_TRUE(imagePath);
    EXPECT_EQ(imagePath->type, RegistryType::kExpandSz);
    EXPECT_EQ(RegistryStringText(imagePath->data), u"System32\\DRIVERS\\Tonegate.sys");
    EXPECT_EQ(
        world.registry
            .Value(RegistryRoot::kLocalMachine, SimRegistryView::kNative, kDriverKey, u"Start")
            ->data,
        RegistryDwordBytes(3));

    // Service: written, registered by its quoted run at high priority, then started.
    EXPECT_EQ(world.FileText(u"C:\\Windows\\system32\\Tonewarden.exe"), "SERVICE105-v1");
    ASSERT_EQ(world.processes.starts.size(), 1u);
    EXPECT_EQ(world.processes.starts[0].application, u"C:\\Windows\\system32\\Tonewarden.exe");
    EXPECT_EQ(world.processes.starts[0].commandLine,
              u"\"C:\\Windows\\system32\\Tonewarden.exe\" /Service");
    EXPECT_EQ(world.processes.starts[0].creationFlags, kHighPriorityClass);
    EXPECT_EQ(world.services.At(u"Tonewarden").state, kServiceRunning);

    // Control panel, Run value, uninstaller and its entry (paths quoted).
    EXPECT_EQ(world.FileText(u"C:\\Program Files\\Tonedeck\\Tonedeck.exe"), "APP107-v1");
    EXPECT_EQ(world.MachineText(kRunKey, u"Tonedeck"),
              u"\"C:\\Program Files\\Tonedeck\\Tonedeck.exe\" -start");
    EXPECT_EQ(world.FileText(u"C:\\Program Files\\Tonedeck\\Uninstall.exe"), "UNINSTALL108-v1");
    EXPECT_EQ(world.registry.ValueNames(RegistryRoot::kLocalMachine, SimRegistryView::kNative,
                                        kUninstallKey),
              (std::vector<std::u16string>{u"DisplayName", u"UninstallString", u"DisplayIcon",
                                           u"DisplayVersion", u"Publisher"}));
    EXPECT_EQ(world.MachineText(kUninstallKey, u"UninstallString"),
              u"\"C:\\Program Files\\Tonedeck\\Uninstall.exe\"");
    EXPECT_EQ(world.MachineText(kUninstallKey, u"DisplayIcon"),
              u"\"C:\\Program Files\\Tonedeck\\Uninstall.exe\"");
    EXPECT_EQ(world.MachineText(kUninstallKey, u"DisplayVersion"), u"1.0.0.0");
    EXPECT_EQ(world.MachineText(kUninstallKey, u"Publisher"), u"HVN");

    // Data files, manual, update package.
    EXPECT_EQ(world.FileText(u"C:\\Program Files\\Tonedeck\\Skin\\Blue\\Pictures\\Back.png"),
              "png");
    EXPECT_EQ(world.FileText(u"C:\\Program Files\\Tonedeck\\Language\\English\\Language.ini")
                  .substr(0, 7),
              "[Setup]");
    EXPECT_EQ(world.files.FileBytes(u"C:\\Program Files\\Tonedeck\\AudioConfig.cfg"),
              world.files.FileBytes(u"D:\\Setup\\AudioConfig.cfg"));
    EXPECT_EQ(world.FileText(u"C:\\Program Files\\Tonedeck\\Setup.ico"), "icon");
    EXPECT_EQ(world.FileText(u"C:\\Program Files\\Tonedeck\\Manual\\English\\Manual.pdf"), "pdf");
    EXPECT_EQ(world.FileText(u"C:\\Windows\\system32\\Windows6.1-KB3033929-x64.msu"),
              "WINDOWPATCH110-v1");

    // Shortcuts.
    const std::u16string links = std::u16string(kPrograms) + u"\\Tonedeck\\";
    EXPECT_EQ(world.shell.LinkTarget(links + u"Tonedeck.lnk"),
              u"C:\\Program Files\\Tonedeck\\Tonedeck.exe");
    EXPECT_EQ(world.shell.LinkTarget(links + u"Uninstall Tonedeck.lnk"),
              u"C:\\Program Files\\Tonedeck\\Uninstall.exe");
    EXPECT_EQ(world.shell.LinkTarget(links + u"User Manual.lnk"),
              u"C:\\Program Files\\Tonedeck\\Manual\\English\\Manual.pdf");

    // The device was restarted twice (before the steps and in step 7); the filter runs.
    const auto& changes = world.devices.ExtensionNode(unit).stateChanges;
    EXPECT_EQ(changes.size(), 4u);
    EXPECT_EQ(world.devices.OpenHandleCount(), 0u);
    EXPECT_EQ(world.devices.OpenListCount(), 0u);
    EXPECT_EQ(world.registry.OpenKeyCount(), 0u);
    EXPECT_EQ(world.services.OpenHandleCount(), 0u);
    EXPECT_EQ(world.processes.OpenHandleCount(), 0u);
    EXPECT_EQ(world.processes.broadcasts,
              (std::vector<std::pair<std::u16string, uint32_t>>{{u"WM_HVN16xxAPP_EXIT", 100},
                                                                {u"WM_HVN16xxAPP_EXIT", 100}}));
}

TEST_F(InstallTest, ActiveFilterDriverStopsBeforeAnythingIsInstalled) {
    // The driver is not the first lower filter, so it stays and comes back after the restart.
    const int unit = world.devices.AddSoundDevice();
    world.devices.ExtensionNode(unit).lowerFilters =
        std::vector<std::u16string>{u"other", u"Tonegate"};
    auto form = world.ShowFormInEnglish();
    world.RunInstall(*form);

    ASSERT_EQ(world.reporter.shown.size(), 1u);
    EXPECT_EQ(world.reporter.shown[0].text, u"Unplug the device first.");
    EXPECT_EQ(world.reporter.shown[0].caption, u"Install");
    EXPECT_TRUE(world.reporter.ProgressPosted().empty());
    EXPECT_TRUE(world.view.progress.empty());
    EXPECT_EQ(world.reporter.posted, (std::vector<SetupMessage>{{kWmSetupFinished, 0}}));
    EXPECT_EQ(form->InstallSucceeded(), 0);
    EXPECT_EQ(world.view.checked, WizardControl::kNoRebootRadioButton);
    EXPECT_EQ(world.view.pages.back(), WizardPage::kFinish);
    EXPECT_FALSE(world.registry.KeyExists(RegistryRoot::kLocalMachine, SimRegistryView::kNative,
                                          kDriverKey));
    EXPECT_FALSE(world.files.FileExists(u"C:\\Windows\\system32\\drivers\\Tonegate.sys"));
    EXPECT_EQ(world.TracesFrom(u"===== Install STEP1 =====\n").size(), 0u);
}

TEST_F(InstallTest, StepThreeFailureKeepsEarlierStepsAndStopsTheBarAtSixty) {
    AddFreshDevice();
    world.payloads.Remove(u"APP", 107);
    auto form = world.ShowFormInEnglish();
    world.RunInstall(*form);

    ASSERT_EQ(world.reporter.shown.size(), 1u);
    EXPECT_EQ(world.reporter.shown[0].text, u"Installation failed.(Code = 0x80000003)");
    EXPECT_EQ(world.reporter.ProgressPosted(), (std::vector<uint32_t>{1, 10, 20, 30, 40, 50, 60}));
    EXPECT_EQ(world.view.progress.back(), 60);
    EXPECT_EQ(form->InstallSucceeded(), 0);
    EXPECT_EQ(world.view.checked, WizardControl::kNoRebootRadioButton);
    EXPECT_TRUE(world.files.FileExists(u"C:\\Windows\\system32\\drivers\\Tonegate.sys"));
    EXPECT_TRUE(world.files.FileExists(u"C:\\Windows\\system32\\Tonewarden.exe"));
    EXPECT_FALSE(world.MachineText(kRunKey, u"Tonedeck").has_value());
    EXPECT_TRUE(world.reporter.beeps.empty());
    EXPECT_EQ(world.TracesFrom(u"===== Install STEP4 =====\n").size(), 0u);
}

TEST_F(InstallTest, FailingStepsShowTheirOwnCodes) {
    struct Case {
        const char* name;
        std::function<void(SetupWorld&)> breakIt;
        std::u16string text;
        uint32_t lastProgress;
    };
    const Case cases[] = {
        {"driver payload missing", [](SetupWorld& w) { w.payloads.Remove(u"DRIVER", 102); },
         u"Installation failed.(Code = 0x80000001)", 10},
        {"driver key denied",
         [](SetupWorld& w) {
             w.registry.DenyKey(u"SYSTEM\\CurrentControlSet\\Services\\Tonegate");
         },
         u"Installation failed.(Code = 0x80000001)", 1},
        {"service run never ends",
         [](SetupWorld& w) {
             w.processes.Program(u"C:\\Windows\\system32\\Tonewarden.exe").runsForMs = kWaitForever;
         },
         u"Installation failed.(Code = 0x80000002)", 40},
        {"service run cannot start",
         [](SetupWorld& w) {
             w.processes.Program(u"C:\\Windows\\system32\\Tonewarden.exe").startFails = true;
         },
         u"Installation failed.(Code = 0x80000002)", 40},
        {"empty uninstaller payload", [](SetupWorld& w) { w.payloads.Put(u"UNINSTALL", 108, {}); },
         u"Installation failed.(Code = 0x80000004)", 70},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetupWorld w;
        c.breakIt(w);
        auto form = w.ShowFormInEnglish();
        w.RunInstall(*form);
        ASSERT_EQ(w.reporter.shown.size(), 1u);
        EXPECT_EQ(w.reporter.shown[0].text, c.text);
        EXPECT_EQ(w.reporter.ProgressPosted().back(), c.lastProgress);
        EXPECT_EQ(form->InstallSucceeded(), 0);
        EXPECT_EQ(w.reporter.posted.back(), (SetupMessage{kWmSetupFinished, 0}));
    }
}

TEST_F(InstallTest, RegistrationRunThatOutlastsItsBoundFailsAfterOneHundredSeconds) {
    world.processes.Program(u"C:\\Windows\\system32\\Tonewarden.exe").runsForMs = 100001;
    auto form = world.ShowFormInEnglish();
    const uint32_t before = world.clock.TickCount();
    EXPECT_EQ(form->Install_Service(), kServiceRunTooLong);
    EXPECT_EQ(world.clock.TickCount() - before, 100000u);
    EXPECT_EQ(world.processes.OpenHandleCount(), 0u);
}

TEST_F(InstallTest, NoMatchingDeviceShowsNothingAndSucceeds) {
    world.devices.AddHidDevice();
    auto form = world.ShowFormInEnglish();
    world.RunInstall(*form);
    EXPECT_TRUE(world.reporter.shown.empty());
    EXPECT_EQ(form->InstallSucceeded(), 1);
}

TEST_F(InstallTest, DriverThatDoesNotComeUpAfterStepSevenWarnsAndStillSucceeds) {
    SoundDeviceOptions options;
    options.filterRunning = false;
    world.devices.AddSoundDevice(options);  // nothing attaches the filter
    auto form = world.ShowFormInEnglish();
    world.RunInstall(*form);
    ASSERT_EQ(world.reporter.shown.size(), 1u);
    EXPECT_EQ(world.reporter.shown[0].text, u"The driver did not start.");
    EXPECT_EQ(form->InstallSucceeded(), 1);
    EXPECT_EQ(world.reporter.ProgressPosted().back(), 100u);
}

TEST_F(InstallTest, SecondRunReplacesEverythingInPlace) {
    AddFreshDevice();
    {
        auto form = world.ShowFormInEnglish();
        world.RunInstall(*form);
        ASSERT_EQ(form->InstallSucceeded(), 1);
    }
    world.PutPayloads("v2");
    world.reporter = RecordingReporter{};
    world.system.traceLines.clear();
    const int linksBefore = world.shell.linksSaved;

    auto form = world.ShowFormInEnglish();
    world.RunInstall(*form);

    EXPECT_EQ(form->InstallSucceeded(), 1);
    EXPECT_TRUE(world.reporter.shown.empty());
    // The running service of the first run was taken down, then started again.
    const auto& requests = world.services.At(u"Tonewarden").requests;
    EXPECT_EQ(requests, (std::vector<std::u16string>{u"start", u"128", u"1", u"start"}));
    EXPECT_EQ(world.services.At(u"Tonewarden").state, kServiceRunning);
    EXPECT_EQ(world.FileText(u"C:\\Windows\\system32\\drivers\\Tonegate.sys"), "DRIVER102-v2");
    EXPECT_EQ(world.FileText(u"C:\\Windows\\system32\\Tonewarden.exe"), "SERVICE105-v2");
    EXPECT_EQ(world.FileText(u"C:\\Program Files\\Tonedeck\\Tonedeck.exe"), "APP107-v2");
    EXPECT_EQ(world.FileText(u"C:\\Program Files\\Tonedeck\\Uninstall.exe"), "UNINSTALL108-v2");
    EXPECT_EQ(
        world.registry.ValueNames(RegistryRoot::kLocalMachine, SimRegistryView::kNative, kRunKey),
        (std::vector<std::u16string>{u"Tonedeck"}));
    EXPECT_EQ(world.registry
                  .ValueNames(RegistryRoot::kLocalMachine, SimRegistryView::kNative, kUninstallKey)
                  .size(),
              5u);
    EXPECT_EQ(world.shell.linksSaved - linksBefore, 3);
    // Every folder copied before already exists now.
    const auto traces = world.TracesFrom(u"===== Install STEP5 =====\n");
    const auto failures =
        std::count(traces.begin(), traces.end(), u"***** Create Directory FAIL! *****\n");
    EXPECT_EQ(failures, 13);
}

TEST_F(InstallTest, NextStartsOneWorkerOnlyFromTheLanguagePage) {
    auto form = world.ShowFormInEnglish();
    form->NextBitBtnClick();
    form->NextBitBtnClick();
    EXPECT_EQ(world.launcher.launches, 1);
    EXPECT_EQ(form->page(), WizardPage::kInstall);
    EXPECT_FALSE(world.view.enabled.at(WizardControl::kNextBitBtn));
    EXPECT_FALSE(world.view.enabled.at(WizardControl::kBackBitBtn));
}

TEST_F(InstallTest, FinishRebootsOrStartsTheControlPanel) {
    auto form = world.ShowFormInEnglish();
    form->FinishBitBtnClick(true);
    EXPECT_EQ(world.processes.rebootRequests, 1);
    EXPECT_TRUE(world.processes.starts.empty());
    EXPECT_EQ(world.view.closes, 1);

    // Nothing installed: the start is still tried and its failure not reported.
    form->FinishBitBtnClick(false);
    ASSERT_EQ(world.processes.starts.size(), 1u);
    EXPECT_TRUE(world.processes.starts[0].viaShell);
    EXPECT_EQ(world.processes.starts[0].application, u"C:\\Program Files\\Tonedeck\\Tonedeck.exe");
    EXPECT_EQ(world.view.closes, 2);
}

class Install64Test : public InstallTest {
  protected:
    void SetUp() override {
        world.system.wow64 = true;
        world.registry.windows64 = true;
        // What GetSystemDirectoryW says with redirection on differs, to see the switch.
        world.system.systemDirectory = u"C:\\Windows\\SysWOW64";
        world.system.systemDirectoryUnredirected = u"C:\\Windows\\system32";
        world.system.versionAnswers[284].servicePackMajor = 1;
    }
};

TEST_F(Install64Test, ThirtyTwoBitInstallerOnWindows7TakesSixtyFourBitPayloadsAndTheUpdate) {
    auto form = world.ShowFormInEnglish();
    world.RunInstall(*form);

    EXPECT_EQ(world.FileText(u"C:\\Windows\\system32\\drivers\\Tonegate.sys"), "DRIVER103-v1");
    EXPECT_EQ(world.FileText(u"C:\\Windows\\system32\\Tonewarden.exe"), "SERVICE106-v1");
    EXPECT_EQ(world.FileText(u"C:\\Windows\\SysWOW64\\Windows6.1-KB3033929-x64.msu"),
              "WINDOWPATCH110-v1");
    EXPECT_FALSE(world.system.redirectionDisabled());
    EXPECT_EQ(world.system.disableCalls, world.system.revertCalls);
    // Machine-wide entries of a 32-bit program land in the 32-bit view.
    EXPECT_TRUE(world.MachineText(kRunKey, u"Tonedeck", SimRegistryView::kWow32).has_value());
    EXPECT_FALSE(world.MachineText(kRunKey, u"Tonedeck").has_value());
    EXPECT_TRUE(world.registry.KeyExists(RegistryRoot::kLocalMachine, SimRegistryView::kWow32,
                                         u"SOFTWARE\\HVN USB DeviceId Group"));

    // The update was missing: warning 4, then the package through the shell, waited for.
    ASSERT_EQ(world.reporter.shown.size(), 1u);
    EXPECT_EQ(world.reporter.shown[0].text, u"Windows needs an update.");
    ASSERT_EQ(world.processes.starts.size(), 2u);
    EXPECT_TRUE(world.processes.starts[1].viaShell);
    EXPECT_EQ(world.processes.starts[1].application,
              u"C:\\Windows\\SysWOW64\\Windows6.1-KB3033929-x64.msu");
    const auto traces = world.TracesFrom(u"===== Install STEP8 =====\n");
    EXPECT_EQ(traces,
              (std::vector<std::u16string>{u"===== Install STEP8 =====\n",
                                           u"***** Service pack KDB3033929 not EXIST! *****\n"}));
    EXPECT_EQ(form->InstallSucceeded(), 1);
}

TEST_F(Install64Test, SixtyFourBitBuildActsAsTheThirtyTwoBitInstallerOnSixtyFourBitWindows) {
    // A 64-bit program is not under WOW64 and sees the real system folder.
    world.system.wow64 = false;
    world.system.systemDirectory = u"C:\\Windows\\system32";
    auto form = world.ShowFormInEnglish(/*programIs64Bit=*/true);
    EXPECT_TRUE(form->facts().is64BitWindows);
    EXPECT_EQ(form->config().System32BitPath, u"C:\\Windows\\SysWOW64\\");
    EXPECT_EQ(form->config().SystemNativePath, u"C:\\Windows\\system32\\");
    EXPECT_EQ(form->Install_FilterDriver(), kStepDone);
    EXPECT_EQ(world.FileText(u"C:\\Windows\\system32\\drivers\\Tonegate.sys"), "DRIVER103-v1");
}

TEST_F(Install64Test, MissingUpdatePayloadFailsStepEight) {
    world.payloads.Remove(u"WINDOWPATCH", 110);
    auto form = world.ShowFormInEnglish();
    world.RunInstall(*form);

    const auto traces = world.system.traceLines;
    EXPECT_NE(std::find(traces.begin(), traces.end(),
                        u"***** TMainForm::Copy_KB3033929 (0x10000701) *****\n"),
              traces.end());
    EXPECT_NE(std::find(traces.begin(), traces.end(),
                        u"***** TMainForm::Install_KB3033929 (0x80000601) *****\n"),
              traces.end());
    ASSERT_EQ(world.reporter.shown.size(), 2u);
    EXPECT_EQ(world.reporter.shown[1].text, u"Installation failed.(Code = 0x80000006)");
    EXPECT_EQ(world.reporter.ProgressPosted().back(), 90u);
    EXPECT_EQ(form->InstallSucceeded(), 0);
}

TEST_F(Install64Test, UpdateStepIsSkippedWhereItIsNotNeeded) {
    struct Case {
        const char* name;
        std::function<void(SetupWorld&)> setUp;
        std::u16string trace;  // empty: no trace, the package is registered
    };
    const Case cases[] = {
        {"32-bit", [](SetupWorld& w) { w.system.wow64 = false; },
         u"##### The OS is 32-Bit #####\n"},
        {"Windows 10",
         [](SetupWorld& w) {
             w.system.versionAnswers[284].minorVersion = 0;
             w.system.versionAnswers[284].majorVersion = 10;
         },
         u"##### The OS is not Win7 #####\n"},
        {"no service pack",
         [](SetupWorld& w) { w.system.versionAnswers[284].servicePackMajor = 0; },
         u"##### The OS is Win7, but not install the service pack! #####\n"},
        {"installed",
         [](SetupWorld& w) {
             w.registry.PutKey(RegistryRoot::kLocalMachine, SimRegistryView::kNative,
                               std::u16string(kPackagesKey) +
                                   u"\\Package_for_KB3033929~31bf3856ad364e35~amd64~~6.1.1.1");
         },
         u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetupWorld w;
        w.system.wow64 = true;
        w.registry.windows64 = true;
        w.system.versionAnswers[284].servicePackMajor = 1;
        c.setUp(w);
        auto form = w.MakeForm();
        w.system.traceLines.clear();
        EXPECT_EQ(form->Install_KB3033929(), kStepDone);
        EXPECT_EQ(w.system.traceLines, c.trace.empty() ? std::vector<std::u16string>{}
                                                       : std::vector<std::u16string>{c.trace});
        EXPECT_TRUE(w.processes.starts.empty());
        EXPECT_TRUE(w.reporter.shown.empty());
    }
}

}  // namespace
}  // namespace tonedeck::setup_test
