// The WinMM mixer half of Win32AudioSystem.

// clang-format off
#include <windows.h>
#include <mmsystem.h>
// clang-format on

#include "platform/win32/wide.h"
#include "platform/win32/win32_audio_system.h"

namespace tonedeck {
namespace {

HMIXEROBJ MixerObject(MixerHandle mixer) {
    return reinterpret_cast<HMIXEROBJ>(static_cast<uintptr_t>(mixer.value()));
}

MixerLineInfo LineInfo(const MIXERLINEW& line) {
    return MixerLineInfo{line.dwLineID, line.dwDestination, line.dwComponentType, line.cConnections,
                         FromWide(line.Target.szPname)};
}

// One channel, one 4-byte detail.
bool ControlDetails(MixerHandle mixer, uint32_t controlId, DWORD& value, bool write) {
    MIXERCONTROLDETAILS details{};
    details.cbStruct = sizeof details;
    details.dwControlID = controlId;
    details.cChannels = 1;
    details.cMultipleItems = 0;
    details.cbDetails = sizeof(DWORD);
    details.paDetails = &value;
    const MMRESULT result =
        write ? mixerSetControlDetails(MixerObject(mixer), &details,
                                       MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE)
              : mixerGetControlDetailsW(MixerObject(mixer), &details,
                                        MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE);
    return result == MMSYSERR_NOERROR;
}

}  // namespace

uint32_t Win32AudioSystem::MixerDeviceCount() { return mixerGetNumDevs(); }

MixerHandle Win32AudioSystem::OpenMixer(uint32_t index) {
    HMIXER mixer = nullptr;
    if (mixerOpen(&mixer, index, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR || !mixer) {
        return {};
    }
    return MixerHandle(reinterpret_cast<uintptr_t>(mixer));
}

void Win32AudioSystem::CloseMixer(MixerHandle mixer) {
    if (mixer) mixerClose(reinterpret_cast<HMIXER>(static_cast<uintptr_t>(mixer.value())));
}

std::optional<MixerLineInfo> Win32AudioSystem::DestinationLineOfType(MixerHandle mixer,
                                                                     uint32_t componentType) {
    MIXERLINEW line{};
    line.cbStruct = sizeof line;
    line.dwComponentType = componentType;
    if (mixerGetLineInfoW(MixerObject(mixer), &line,
                          MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) !=
        MMSYSERR_NOERROR) {
        return std::nullopt;
    }
    return LineInfo(line);
}

std::optional<MixerLineInfo> Win32AudioSystem::SourceLine(MixerHandle mixer, uint32_t destination,
                                                          uint32_t source) {
    MIXERLINEW line{};
    line.cbStruct = sizeof line;
    line.dwDestination = destination;
    line.dwSource = source;
    if (mixerGetLineInfoW(MixerObject(mixer), &line,
                          MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_SOURCE) != MMSYSERR_NOERROR) {
        return std::nullopt;
    }
    return LineInfo(line);
}

std::optional<MixerControlInfo> Win32AudioSystem::ControlOfType(MixerHandle mixer, uint32_t lineId,
                                                                uint32_t controlType) {
    MIXERCONTROLW control{};
    control.cbStruct = sizeof control;
    MIXERLINECONTROLSW controls{};
    controls.cbStruct = sizeof controls;
    controls.dwLineID = lineId;
    controls.dwControlType = controlType;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof control;
    controls.pamxctrl = &control;
    if (mixerGetLineControlsW(MixerObject(mixer), &controls,
                              MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) !=
        MMSYSERR_NOERROR) {
        return std::nullopt;
    }
    return MixerControlInfo{control.dwControlID, control.Bounds.dwMinimum,
                            control.Bounds.dwMaximum};
}

std::optional<uint32_t> Win32AudioSystem::GetControlValue(MixerHandle mixer, uint32_t controlId) {
    DWORD value = 0;
    if (!ControlDetails(mixer, controlId, value, false)) return std::nullopt;
    return value;
}

bool Win32AudioSystem::SetControlValue(MixerHandle mixer, uint32_t controlId, uint32_t value) {
    DWORD detail = value;
    return ControlDetails(mixer, controlId, detail, true);
}

}  // namespace tonedeck
