// Long runs of the whole panel on the simulated world in virtual time: thousands of hot-plugs
// with the user busy in between, a day of speaker rotation, and a thousand skin and language
// switches. The device, the handles, the heap and the window must look the same at the end as
// the story says they should.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <sstream>

#include "alloc_fault.h"
#include "device_model_check.h"
#include "panel_world.h"

namespace tonedeck {
namespace {

using test::DeviceDiffersFromModel;
using test::PanelWorld;

class Stopwatch {
  public:
    double Seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }

  private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

struct LongRun : ::testing::Test, PanelWorld {
    void Deliver() {
        for (const DeviceChange& change : world.TakeNotices()) Panel().OnDeviceChange(change);
    }
    // The logs of the simulated world are the test's, not the program's: emptied as it goes.
    void ForgetTraffic() {
        firmware().ClearLog();
        world.filterDriver().ClearRequests();
        timeline.clear();
        host.warnings.clear();
    }
    SettingsPage Page() { return static_cast<SettingsPage>(Panel().Window().CurrentPage()); }
    void TearDown() override {
        if (panel) panel->OnExit();
        EXPECT_EQ(world.OpenHandleCount(), 0u);
        EXPECT_EQ(world.BadCloseCount(), 0u);
    }
};

constexpr const char16_t* kPageTabs[] = {u"PageEQLabel", u"PageEffectLabel", u"PageMicLabel",
                                         u"PageVirtual7p1Label"};
constexpr const char16_t* kEqSliders[] = {u"EQ60HzSliderImage", u"EQ300HzSliderImage",
                                          u"EQ1200HzSliderImage", u"EQ3600HzSliderImage",
                                          u"EQ12000HzSliderImage"};
constexpr const char16_t* kSpeakers[] = {u"VirtualLImage",  u"VirtualRImage",  u"VirtualCImage",
                                         u"VirtualSUBImage", u"VirtualLSImage", u"VirtualRSImage",
                                         u"VirtualLBImage", u"VirtualRBImage"};
constexpr const char16_t* kEqButtons[] = {u"EQEQENImage", u"EQS1Image", u"EQS2Image",
                                          u"EQS3Image", u"EQS4Image"};

TEST_F(LongRun, TenThousandHotPlugsWithTheUserBusyInBetween) {
    constexpr int kCycles = 10000;
    Stopwatch watch;
    Panel().Construct();
    Click(u"EQEQENImage");
    const std::size_t present = world.OpenHandleCount();
    ASSERT_EQ(present, 1u) << "the presence marker";

    std::mt19937 random(8);  // fixed: a failure replays
    auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    int mismatches = 0, leaks = 0, lost = 0, actions = 0;
    std::string first;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        for (int step = pick(4); step > 0; --step, ++actions) {
            switch (Page()) {
                case SettingsPage::kEq:
                    if (pick(3) == 0) {
                        Click(kEqButtons[pick(5)]);
                    } else {
                        Drag(kEqSliders[pick(5)], 0, pick(161) - 80);
                    }
                    break;
                case SettingsPage::kVirtual71:
                    Drag(kSpeakers[pick(8)], pick(61) - 30, pick(61) - 30);
                    break;
                case SettingsPage::kMic:
                    Drag(u"MicSliderImage", pick(101) - 50, 0);
                    break;
                default:
                    if (pick(2)) Click(u"LEDImage");
                    break;
            }
            if (pick(3) == 0) Click(kPageTabs[pick(4)]);
        }

        world.Unplug(sound);
        Deliver();
        leaks += world.OpenHandleCount() != 0;
        world.Plug(sound);
        Deliver();
        lost += !Panel().Settings().devicePresent;
        leaks += world.OpenHandleCount() != present;
        const std::string diff = DeviceDiffersFromModel(firmware(), Panel().Settings(), Page());
        if (!diff.empty() && mismatches++ == 0) {
            first = "cycle " + std::to_string(cycle) + ": " + diff;
        }
        ForgetTraffic();
    }
    EXPECT_EQ(mismatches, 0) << first;
    EXPECT_EQ(leaks, 0);
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(world.OpenListCount(), 0u);
    EXPECT_TRUE(host.errors.empty());
    std::printf("[ long run ] %d plug cycles, %d user actions, handles %zu present / 0 absent, "
                "%.1f s\n",
                kCycles, actions, present, watch.Seconds());
}

// A tick costs about half a millisecond under the address sanitizer on a small machine, where
// the whole day would take some forty minutes: that build turns for one hour of it.
#if defined(__SANITIZE_ADDRESS__)
constexpr long kRotationHours = 1;
#else
constexpr long kRotationHours = 24;
#endif

TEST_F(LongRun, ADayOfRotationTurnsOneDegreeATickWithoutDriftOrGrowth) {
    constexpr long kTicks = kRotationHours * 60 * 60 * 1000 / 20;
    constexpr long kCheckpoint = kTicks / 8;
    Stopwatch watch;
    Panel().Construct();
    Click(u"PageVirtual7p1Label");
    Click(u"VirtualClockwiseImage");
    ASSERT_TRUE(Panel().Settings().rotateClockwise);

    const SpeakerRecords start = Panel().Settings().speakerRecords;
    const SkinLayout& layout = Panel().Window().Layout();
    std::array<ControlId, kSpeakerCount> images{};
    for (std::size_t i = 0; i < kSpeakerCount; ++i) images[i] = Id(kSpeakers[i]);
    const ControlModel& controls = Panel().Window().Controls();
    constexpr long double kTurn = 6.283185307179586476925L;

    long badSteps = 0, drifted = 0;
    std::string firstStep, firstDrift;
    std::vector<test::HeapInUse> heap;
    heap.reserve(8);  // or its own growth would count
    SpeakerRecords previous = start;
    for (long tick = 1; tick <= kTicks; ++tick) {
        Panel().OnTimer();
        const SpeakerRecords& now = Panel().Settings().speakerRecords;
        for (std::size_t i = 0; i < kSpeakerCount; ++i) {
            // One degree, whole turns aside.
            const long double step = static_cast<long double>(now[i].angle) - previous[i].angle;
            const long double off = step - kOneDegree - kTurn * std::nearbyint((step - kOneDegree) / kTurn);
            if (std::fabs(off) > 1e-9L && badSteps++ == 0) {
                firstStep = "tick " + std::to_string(tick) + " speaker " + std::to_string(i);
            }
            // This tick placed the image at the angle the tick before left.
            const long double angle = start[i].angle + (tick - 1) * static_cast<long double>(kOneDegree);
            const long double x = layout.SpeakerCenterX + std::cos(angle) * start[i].distance;
            const long double y = layout.SpeakerCenterY - std::sin(angle) * start[i].distance;
            const Control& image = controls[images[i]];
            if ((std::fabs(image.left - std::trunc(x)) > 1 ||
                 std::fabs(image.top - std::trunc(y)) > 1) &&
                drifted++ == 0) {
                std::ostringstream text;
                text << "tick " << tick << " speaker " << i << " at " << image.left << ","
                     << image.top << ", the turn says " << static_cast<double>(x) << ","
                     << static_cast<double>(y);
                firstDrift = text.str();
            }
        }
        previous = now;
        if (tick % 1000 == 0 || tick % kCheckpoint == 0) ForgetTraffic();
        if (tick % kCheckpoint == 0) heap.push_back(test::CurrentHeapInUse());
    }
    EXPECT_EQ(badSteps, 0) << firstStep;
    EXPECT_EQ(drifted, 0) << firstDrift;
    ASSERT_EQ(heap.size(), 8u);
    for (std::size_t at = 1; at < heap.size(); ++at) {
        EXPECT_EQ(heap[at].blocks, heap[0].blocks) << "checkpoint " << at + 1;
        EXPECT_EQ(heap[at].bytes, heap[0].bytes) << "checkpoint " << at + 1;
    }
    for (std::size_t i = 0; i < kSpeakerCount; ++i) {
        EXPECT_DOUBLE_EQ(Panel().Settings().speakerRecords[i].distance, start[i].distance) << i;
    }
    std::printf("[ long run ] %ld h of rotation, %ld ticks, heap %zu/%zu blocks, %zu/%zu bytes "
                "at checkpoints 1/8, %.1f s\n",
                kRotationHours, kTicks, heap[0].blocks, heap[7].blocks, heap[0].bytes,
                heap[7].bytes, watch.Seconds());
}

// A single-precision angle stops taking the degree once it has grown large: the turn slowed
// within hours and stood still after about a week.
TEST(SpeakerRotation, AWeekOfTurningStillAdvancesOneDegreeATick) {
    const SpeakerField field{364, 143, 130};
    for (double turned : {75000.0, 600000.0, -600000.0, 1e9}) {
        SpeakerRecord record{turned, 100.0};
        const double before = record.angle;
        for (int step : {+1, -1}) {
            record.angle = before;
            PlaceSpeaker(record, field, record.distance, step);
            const double wanted = before + step * kOneDegree;
            EXPECT_NEAR(std::cos(record.angle), std::cos(wanted), 1e-6) << turned << " " << step;
            EXPECT_NEAR(std::sin(record.angle), std::sin(wanted), 1e-6) << turned << " " << step;
            EXPECT_LE(std::fabs(record.angle), kAngleFoldLimit) << turned;
        }
    }
}

// Every control as a line of text: place, look, caption, font, page.
std::vector<std::string> Snapshot(const ControlModel& controls) {
    std::vector<std::string> lines;
    for (ControlId id = 0; id < controls.size(); ++id) {
        const Control& c = controls[id];
        std::ostringstream line;
        line << U16ToUtf8(c.name) << " " << c.left << "," << c.top << " " << c.width << "x"
             << c.height << " v" << c.visible << " e" << c.enabled << " '"
             << U16ToUtf8(c.picture) << "' " << c.pictureWidth << "x" << c.pictureHeight << " '"
             << U16ToUtf8(c.caption) << "' " << U16ToUtf8(c.font.name) << " " << c.font.size
             << "/" << c.font.pixelHeight << " b" << c.font.bold << " #" << c.font.color << " p"
             << c.pageIndex;
        lines.push_back(line.str());
    }
    return lines;
}

TEST_F(LongRun, AThousandSkinAndLanguageSwitchesComeBackToTheSameWindow) {
    constexpr int kSwitches = 1000;
    Stopwatch watch;
    Panel().Construct();
    Click(u"EQS3Image");
    Drag(u"EQ300HzSliderImage", 0, -40);
    Click(u"PageVirtual7p1Label");
    MainWindow& window = Panel().Window();
    const std::size_t skins = window.SkinMenu().size();
    const std::size_t languages = window.LanguageMenu().size();
    ASSERT_EQ(skins, 2u) << "the shipped skins";
    ASSERT_EQ(languages, 3u) << "the shipped languages";
    const std::u16string skin = window.CurrentSkin();
    const std::u16string language = window.CurrentLanguage();
    // The first switch may move a speaker by the pixel its truncation allows (its place is
    // recomputed from angle and distance); from then on every full cycle must end as the one
    // before it did.
    std::vector<std::string> before;
    SpeakerPlaces places{};

    std::size_t nextSkin = 0, nextLanguage = 0;
    int cycles = 0, changed = 0;
    std::string first;
    for (int done = 1; done <= kSwitches; ++done) {
        if (done % 2) {
            nextSkin = (nextSkin + 1) % skins;
            window.SkinMenuClick(nextSkin);
        } else {
            nextLanguage = (nextLanguage + 1) % languages;
            window.LanguageMenuClick(nextLanguage);
        }
        if (window.CurrentSkin() != skin || window.CurrentLanguage() != language) continue;
        const std::vector<std::string> now = Snapshot(window.Controls());
        if (cycles++ == 0) {
            before = now;
            places = Panel().Settings().speakerPlaces;
            continue;
        }
        if (now != before && changed++ == 0) {
            for (std::size_t i = 0; i < now.size(); ++i) {
                if (now[i] != before[i]) {
                    first = "after " + std::to_string(done) + ": " + now[i] + " was " + before[i];
                    break;
                }
            }
        }
        EXPECT_EQ(Panel().Settings().speakerPlaces, places) << "after " << done;
    }
    EXPECT_GT(cycles, 1) << "the switches never came back to the start";
    EXPECT_EQ(changed, 0) << first;
    EXPECT_TRUE(host.errors.empty()) << U16ToUtf8(host.errors.front());
    std::printf("[ long run ] %d switches, %d full cycles, %.1f s\n", kSwitches, cycles,
                watch.Seconds());
}

}  // namespace
}  // namespace tonedeck
