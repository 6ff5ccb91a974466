// Injected HID faults under the settings operations: every report of an operation rejected in
// turn, the device pulled before each report, short report lengths, a device that leaves between
// the listing and the open. The operation stops at the failing report with its code, the model
// keeps the new value, and the next arrival puts the device where the model says it is.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>

#include "device_model_check.h"
#include "settings_rig.h"

namespace tonedeck {
namespace {

using test::DeviceDiffersFromModel;
using test::SettingsRig;
using Kinds = std::vector<SimHidReport>;

// The part of the model the operations below change.
struct ModelState {
    bool eqEnable, d3Enable, ledOn;
    EqBlock eqBlock;
    D3Block d3;
    friend bool operator==(const ModelState&, const ModelState&) = default;
};
ModelState StateOf(const SoundSettings& s) {
    return {s.eqEnable, s.d3Enable, s.ledOn, s.eqBlock, s.d3};
}

struct Operation {
    const char* name;
    SettingsPage page;  // showing when the device comes back
    // The model as the page action leaves it before the device is told.
    std::function<void(SoundSettings&)> arrange;
    std::function<int(SettingsDevice&)> run;
    bool led = false;  // LED results are numbered on their own
};

// A model far from the power-on registers, so that an arrival has something to put right.
void RichModel(SoundSettings& s) {
    s.eqEnable = true;
    s.eqBlock.bands = {0x123, 0x456, 0x789, 0xABC, 0xDEF};
    s.eqBlock.bypass = false;
    s.d3Enable = true;
    s.eqBlock.d3Flag = true;
    s.d3 = {false, 7, 9, 12, 1};
}

const std::vector<Operation>& Operations() {
    static const std::vector<Operation> operations = {
        {"DSP on with the block", SettingsPage::kEq, RichModel,
         [](SettingsDevice& d) { return d.ApplyDspEnable(true); }},
        {"DSP off", SettingsPage::kEq,
         [](SoundSettings& s) {
             RichModel(s);
             s.eqEnable = false;
             s.d3Enable = false;
         },
         [](SettingsDevice& d) { return d.ApplyDspEnable(false); }},
        {"band 2", SettingsPage::k3D, RichModel,
         [](SettingsDevice& d) { return d.WriteEqBand(1, 0x321); }},
        {"band 5 shares 297", SettingsPage::k3D, RichModel,
         [](SettingsDevice& d) { return d.WriteEqBand(4, 0xFED); }},
        {"bypass", SettingsPage::k3D, RichModel,
         [](SettingsDevice& d) { return d.ApplyEqBypass(true); }},
        {"3D flag", SettingsPage::k3D, RichModel,
         [](SettingsDevice& d) { return d.Apply3DFlag(true); }},
        {"3D on with the block", SettingsPage::k3D, RichModel,
         [](SettingsDevice& d) { return d.Apply3DEnable(true); }},
        {"FBM", SettingsPage::k3D, RichModel, [](SettingsDevice& d) { return d.ApplyFbm(true); }},
        {"LED off", SettingsPage::kEq, [](SoundSettings& s) { s.ledOn = false; },
         [](SettingsDevice& d) { return d.ApplyLed(false); }, true},
        {"LED on", SettingsPage::kEq, [](SoundSettings& s) { s.ledOn = true; },
         [](SettingsDevice& d) { return d.ApplyLed(true); }, true},
    };
    return operations;
}

// The code an operation owes for a rejected report, from the report and the one after it.
int CodeFor(const Kinds& kinds, std::size_t failing, bool led) {
    const SimHidReport kind = kinds[failing];
    if (led) return kind == SimHidReport::kIdle ? kLedIdleFailed : kLedGpioFailed;
    switch (kind) {
        case SimHidReport::kSetAddress: {
            const bool read = failing + 1 < kinds.size() && kinds[failing + 1] == SimHidReport::kInput;
            return read ? kSettingsReadFailed : kSettingsWriteFailed;
        }
        case SimHidReport::kInput:
            return kSettingsReadFailed;
        case SimHidReport::kIdle:
            return kSettingsIdleFailed;
        default:
            return kSettingsWriteFailed;
    }
}

struct Started : SettingsRig {
    explicit Started(const Operation& op) {
        sound = world.AddSoundDevice();
        Start();
        op.arrange(settings);
        ClearLogs();
    }
    ~Started() { presence.ClosePresenceHandle(); }
    void Replug(SettingsPage page) {
        view.page = page;
        world.Unplug(sound);
        Deliver();
        world.Plug(sound);
        Deliver();
    }
};

TEST(HidFaults, EveryRejectedReportStopsItsOperationAndTheNextArrivalRepairs) {
    std::size_t injected = 0;
    for (const Operation& op : Operations()) {
        Started clean(op);
        ASSERT_EQ(op.run(clean.controller.device()), 0) << op.name;
        const Kinds kinds = clean.firmware().LoggedKinds();
        const ModelState wanted = StateOf(clean.settings);
        ASSERT_FALSE(kinds.empty()) << op.name;

        for (std::size_t failing = 0; failing < kinds.size(); ++failing) {
            const std::string what = std::string(op.name) + ", report " + std::to_string(failing);
            Started rig(op);
            const std::size_t before =
                std::count(kinds.begin(), kinds.begin() + static_cast<long>(failing), kinds[failing]);
            rig.firmware().FailOnce(kinds[failing], before);

            EXPECT_EQ(op.run(rig.controller.device()), CodeFor(kinds, failing, op.led)) << what;
            ++injected;
            const Kinds sent = rig.firmware().LoggedKinds();
            EXPECT_EQ(sent, Kinds(kinds.begin(), kinds.begin() + static_cast<long>(failing) + 1))
                << what << ": nothing after the rejected report";
            EXPECT_FALSE(rig.firmware().log().back().accepted) << what;
            EXPECT_TRUE(StateOf(rig.settings) == wanted) << what << ": the model keeps the value";
            EXPECT_EQ(rig.world.OpenHandleCount(), 1u) << what << ": only the presence marker";

            rig.Replug(op.page);
            EXPECT_EQ(DeviceDiffersFromModel(rig.firmware(), rig.settings, op.page), "") << what;
        }
    }
    std::printf("[ faults   ] rejected reports: %zu\n", injected);
}

TEST(HidFaults, ADevicePulledBeforeAnyReportLeavesNoHandleAndComesBackRight) {
    std::size_t pulls = 0;
    for (const Operation& op : Operations()) {
        Started clean(op);
        op.run(clean.controller.device());
        const std::size_t reports = clean.firmware().log().size();
        const ModelState wanted = StateOf(clean.settings);

        for (std::size_t pulled = 0; pulled < reports; ++pulled) {
            const std::string what = std::string(op.name) + ", pulled before " +
                                     std::to_string(pulled);
            Started rig(op);
            rig.world.Hid(rig.sound).vanishAfterReports = pulled;
            EXPECT_NE(op.run(rig.controller.device()), 0) << what;
            ++pulls;
            EXPECT_EQ(rig.firmware().log().size(), pulled) << what;
            EXPECT_TRUE(StateOf(rig.settings) == wanted) << what;

            rig.Deliver();  // the removal
            EXPECT_FALSE(rig.settings.devicePresent) << what;
            EXPECT_EQ(rig.world.OpenHandleCount(), 0u) << what;
            rig.view.page = op.page;
            rig.world.Plug(rig.sound);
            rig.Deliver();
            EXPECT_EQ(rig.world.OpenHandleCount(), 1u) << what;
            EXPECT_EQ(DeviceDiffersFromModel(rig.firmware(), rig.settings, op.page), "") << what;
        }
    }
    std::printf("[ faults   ] devices pulled mid-operation: %zu\n", pulls);
}

struct ShortCase {
    const char* name;
    uint16_t output, input;
    std::size_t operation;  // index into Operations()
    int code;
};

TEST(HidFaults, ShortReportLengthsChangeNoRegisterAndTheModelStillWins) {
    // Operations(): 0 DSP on, 6 3D on, 8 LED off, 9 LED on.
    const std::vector<ShortCase> cases = {
        {"no output report", 0, 9, 0, kSettingsReadFailed},
        {"output too short for the command byte", 4, 9, 0, kSettingsReadFailed},
        {"input too short for the value", 9, 2, 0, kSettingsReadFailed},
        {"no input report", 9, 0, 6, kSettingsReadFailed},
        {"GPIO write on a short output", 4, 9, 8, kLedGpioFailed},
        {"GPIO read with a short input", 9, 4, 9, kLedGpioFailed},
        {"long reports carry the same five bytes", 64, 64, 6, 0},
    };
    for (const ShortCase& c : cases) {
        const Operation& op = Operations()[c.operation];
        Started rig(op);
        const auto registersBefore = rig.firmware().registers();
        const auto linesBefore = rig.firmware().gpio();
        rig.firmware().SetReportLengths(c.output, c.input);
        EXPECT_EQ(op.run(rig.controller.device()), c.code) << c.name;
        if (c.code != 0) {
            EXPECT_EQ(rig.firmware().registers(), registersBefore) << c.name;
            EXPECT_EQ(rig.firmware().gpio(), linesBefore) << c.name;
        }
        EXPECT_EQ(rig.world.OpenHandleCount(), 1u) << c.name;

        rig.firmware().SetReportLengths(9, 9);
        rig.Replug(op.page);
        EXPECT_EQ(DeviceDiffersFromModel(rig.firmware(), rig.settings, op.page), "") << c.name;
    }
}

TEST(HidFaults, ADeviceGoneBetweenListingAndOpenFailsTheOperationWithoutALeak) {
    const Operation& op = Operations()[3];  // band 5
    Started rig(op);
    rig.world.Hid(rig.sound).vanishesOnOpen = true;
    EXPECT_EQ(op.run(rig.controller.device()), kSettingsNoDevice);
    EXPECT_EQ(rig.settings.eqBlock.bands[4], 0xFED);
    EXPECT_TRUE(rig.firmware().log().empty());
    EXPECT_EQ(rig.world.OpenHandleCount(), 1u) << "the old marker until the removal arrives";
    EXPECT_EQ(rig.world.OpenListCount(), 0u);

    rig.Deliver();
    EXPECT_FALSE(rig.settings.devicePresent);
    EXPECT_EQ(rig.world.OpenHandleCount(), 0u);
    rig.view.page = op.page;
    rig.world.Plug(rig.sound);
    rig.Deliver();
    EXPECT_TRUE(rig.settings.devicePresent);
    EXPECT_EQ(DeviceDiffersFromModel(rig.firmware(), rig.settings, op.page), "");
}

TEST(HidFaults, ADeviceGoneBetweenListingAndOpenAtDetectionPollsUntilItComesBack) {
    SettingsRig rig;
    rig.sound = rig.world.AddSoundDevice();
    rig.world.Hid(rig.sound).vanishesOnOpen = true;
    rig.Start();
    EXPECT_FALSE(rig.settings.devicePresent);
    EXPECT_TRUE(rig.timer.running());
    EXPECT_EQ(rig.world.OpenHandleCount(), 0u);
    EXPECT_EQ(rig.world.OpenListCount(), 0u);

    rig.Deliver();  // the removal names the device; there is no marker to close
    rig.clock.Advance(3 * kPresencePollMs);
    EXPECT_FALSE(rig.settings.devicePresent) << "no audio interface to find";

    rig.controller.ToggleEqEnable();  // without the device: the model only
    rig.world.Plug(rig.sound);
    rig.Deliver();
    EXPECT_TRUE(rig.settings.devicePresent);
    EXPECT_FALSE(rig.timer.running());
    EXPECT_EQ(rig.world.OpenHandleCount(), 1u);
    EXPECT_EQ(DeviceDiffersFromModel(rig.firmware(), rig.settings, SettingsPage::kEq), "");
    EXPECT_NE(rig.firmware().Register(kRegDspControl) & kDspEnableBit, 0);
    rig.presence.ClosePresenceHandle();
}

}  // namespace
}  // namespace tonedeck
