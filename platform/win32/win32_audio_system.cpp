// Capture-device identity and the capture endpoint's controls.
//
// DirectSound lists capture devices by GUID and description only. The driver behind each one
// is named by DirectSound's device-description property set (CLSID_DirectSoundPrivate,
// DSPROPERTY_DIRECTSOUNDDEVICE_DESCRIPTION_W): its `Interface` member is the device-interface
// path of the kernel-streaming filter, "\\?\usb#vid_...&pid_...#...", which is what ties a
// capture device to one USB device. The property set is reached through dsound.dll's
// DllGetClassObject, the way the DirectSound documentation describes it.

#include "platform/win32/win32_audio_system.h"

// clang-format off
#include <windows.h>
#include <mmsystem.h>
#include <mmdeviceapi.h>
#include <endpointvolume.h>
#include <devicetopology.h>
#include <dsound.h>
#include <dsconf.h>
// clang-format on

#include "platform/win32/com_ref.h"
#include "platform/win32/wide.h"

namespace tonedeck {
namespace {

constexpr GUID kClsidMMDeviceEnumerator = {
    0xBCDE0395, 0xE52F, 0x467C, {0x8E, 0x3D, 0xC4, 0x57, 0x92, 0x91, 0x69, 0x2E}};
constexpr GUID kIidMMDeviceEnumerator = {
    0xA95664D2, 0x9614, 0x4F35, {0xA7, 0x46, 0xDE, 0x8D, 0xB6, 0x36, 0x17, 0xE6}};
constexpr GUID kIidAudioEndpointVolume = {
    0x5CDF2C82, 0x841E, 0x4546, {0x97, 0x22, 0x0C, 0xF7, 0x40, 0x78, 0x22, 0x9A}};
constexpr GUID kIidDeviceTopology = {
    0x2A07407E, 0x6497, 0x4A18, {0x97, 0x87, 0x32, 0xF7, 0x9B, 0xD0, 0xD9, 0x8F}};
constexpr GUID kIidPart = {
    0xAE2DE0E4, 0x5BCA, 0x4F2D, {0xAA, 0x46, 0x5D, 0x13, 0xF8, 0xFD, 0xB3, 0xA9}};
constexpr GUID kIidAudioAutoGainControl = {
    0x85401FD4, 0x6DE4, 0x4B9D, {0x98, 0x69, 0x2D, 0x67, 0x53, 0xA8, 0x2F, 0x3C}};
constexpr PROPERTYKEY kFriendlyName = {
    {0xA45C254E, 0xDF1C, 0x4EFD, {0x80, 0x20, 0x67, 0xD1, 0x46, 0xA8, 0x50, 0xE0}}, 14};
constexpr GUID kClsidDirectSoundPrivate = {
    0x11AB3EC0, 0x25EC, 0x11D1, {0xA4, 0xD8, 0x00, 0xC0, 0x4F, 0xC2, 0x8A, 0xCA}};
constexpr GUID kPropSetDirectSoundDevice = {
    0x84624F82, 0x25EC, 0x11D1, {0xA4, 0xD8, 0x00, 0xC0, 0x4F, 0xC2, 0x8A, 0xCA}};
constexpr GUID kIidKsPropertySet = {
    0x31EFAC30, 0x515C, 0x11D0, {0xA9, 0xAA, 0x00, 0xAA, 0x00, 0x61, 0xBE, 0x93}};
constexpr GUID kIidClassFactory = {
    0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kNoEventContext = {};

// IAudioAutoGainControl as Windows lays it out (GetEnabled, then SetEnabled); the toolchain's
// header declares other methods in those slots.
struct AutoGainControlInterface : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetEnabled(BOOL* enabled) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetEnabled(BOOL enable, LPCGUID eventContext) = 0;
};

using CaptureEnumerate = HRESULT(WINAPI*)(LPDSENUMCALLBACKW, LPVOID);
using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, LPVOID*);

struct EnumeratedDevice {
    bool hasGuid = false;
    GUID guid{};
    std::u16string description;
};

BOOL CALLBACK CollectCaptureDevice(LPGUID guid, LPCWSTR description, LPCWSTR, LPVOID context) {
    auto* list = static_cast<std::vector<EnumeratedDevice>*>(context);
    EnumeratedDevice device;
    device.hasGuid = guid != nullptr;
    if (guid) device.guid = *guid;
    if (description) device.description = FromWide(description);
    list->push_back(device);
    return TRUE;
}

std::u16string InterfacePath(IKsPropertySet* properties, const GUID& device) {
    DSPROPERTY_DIRECTSOUNDDEVICE_DESCRIPTION_W_DATA data{};
    data.DeviceId = device;
    ULONG returned = 0;
    const HRESULT hr =
        properties->Get(kPropSetDirectSoundDevice, DSPROPERTY_DIRECTSOUNDDEVICE_DESCRIPTION_W,
                        nullptr, 0, &data, sizeof data, &returned);
    if (FAILED(hr) || !data.Interface) return {};
    return FromWide(data.Interface);
}

ComRef<IMMDeviceEnumerator> MakeEnumerator() {
    ComRef<IMMDeviceEnumerator> enumerator;
    CoCreateInstance(kClsidMMDeviceEnumerator, nullptr, CLSCTX_ALL, kIidMMDeviceEnumerator,
                     enumerator.PutVoid());
    return enumerator;
}

ComRef<IMMDevice> DeviceById(const std::wstring& id) {
    ComRef<IMMDevice> device;
    ComRef<IMMDeviceEnumerator> enumerator = MakeEnumerator();
    if (enumerator) enumerator->GetDevice(id.c_str(), device.Put());
    return device;
}

ComRef<IAudioEndpointVolume> EndpointVolume(const std::u16string& endpoint) {
    ComRef<IAudioEndpointVolume> volume;
    ComRef<IMMDevice> device = DeviceById(ToWide(endpoint));
    if (device) device->Activate(kIidAudioEndpointVolume, CLSCTX_ALL, nullptr, volume.PutVoid());
    return volume;
}

// The first subunit of the device behind the endpoint's connector 0 that has an automatic gain
// control.
ComRef<AutoGainControlInterface> AutoGainControl(const std::u16string& endpoint) {
    ComRef<AutoGainControlInterface> control;
    ComRef<IMMDevice> device = DeviceById(ToWide(endpoint));
    ComRef<IDeviceTopology> topology;
    if (!device ||
        FAILED(device->Activate(kIidDeviceTopology, CLSCTX_ALL, nullptr, topology.PutVoid()))) {
        return control;
    }
    ComRef<IConnector> connector;
    if (FAILED(topology->GetConnector(0, connector.Put()))) return control;
    LPWSTR connectedId = nullptr;
    if (FAILED(connector->GetDeviceIdConnectedTo(&connectedId)) || !connectedId) return control;
    const std::wstring adapterId = connectedId;
    CoTaskMemFree(connectedId);

    ComRef<IMMDevice> adapter = DeviceById(adapterId);
    ComRef<IDeviceTopology> adapterTopology;
    if (!adapter || FAILED(adapter->Activate(kIidDeviceTopology, CLSCTX_ALL, nullptr,
                                             adapterTopology.PutVoid()))) {
        return control;
    }
    UINT count = 0;
    if (FAILED(adapterTopology->GetSubunitCount(&count))) return control;
    for (UINT i = 0; i < count; ++i) {
        ComRef<ISubUnit> subunit;
        ComRef<IPart> part;
        if (FAILED(adapterTopology->GetSubunit(i, subunit.Put())) ||
            FAILED(subunit->QueryInterface(kIidPart, part.PutVoid()))) {
            continue;
        }
        if (SUCCEEDED(part->Activate(CLSCTX_ALL, kIidAudioAutoGainControl, control.PutVoid()))) {
            return control;
        }
    }
    control.Reset();
    return control;
}

}  // namespace

std::optional<std::vector<CaptureDeviceEntry>> Win32AudioSystem::CaptureDevices() {
    ComScope com;
    HMODULE dsound = LoadLibraryW(L"dsound.dll");
    if (!dsound) return std::nullopt;
    auto enumerate = reinterpret_cast<CaptureEnumerate>(
        reinterpret_cast<void*>(GetProcAddress(dsound, "DirectSoundCaptureEnumerateW")));
    auto getClassObject = reinterpret_cast<GetClassObject>(
        reinterpret_cast<void*>(GetProcAddress(dsound, "DllGetClassObject")));
    std::vector<EnumeratedDevice> found;
    if (!enumerate || FAILED(enumerate(CollectCaptureDevice, &found))) {
        FreeLibrary(dsound);
        return std::nullopt;
    }
    ComRef<IKsPropertySet> properties;
    ComRef<IClassFactory> factory;
    if (getClassObject &&
        SUCCEEDED(getClassObject(kClsidDirectSoundPrivate, kIidClassFactory, factory.PutVoid()))) {
        factory->CreateInstance(nullptr, kIidKsPropertySet, properties.PutVoid());
    }
    std::vector<CaptureDeviceEntry> devices;
    for (const EnumeratedDevice& device : found) {
        CaptureDeviceEntry entry{device.hasGuid, device.description, {}};
        if (device.hasGuid && properties)
            entry.interfacePath = InterfacePath(properties.Get(), device.guid);
        devices.push_back(std::move(entry));
    }
    properties.Reset();
    factory.Reset();
    FreeLibrary(dsound);
    return devices;
}

std::optional<std::vector<CaptureEndpointEntry>> Win32AudioSystem::ActiveCaptureEndpoints() {
    ComScope com;
    ComRef<IMMDeviceEnumerator> enumerator = MakeEnumerator();
    ComRef<IMMDeviceCollection> collection;
    UINT count = 0;
    if (!enumerator ||
        FAILED(enumerator->EnumAudioEndpoints(eCapture, DEVICE_STATE_ACTIVE, collection.Put())) ||
        FAILED(collection->GetCount(&count))) {
        return std::nullopt;
    }
    std::vector<CaptureEndpointEntry> list;
    for (UINT i = 0; i < count; ++i) {
        ComRef<IMMDevice> device;
        LPWSTR id = nullptr;
        if (FAILED(collection->Item(i, device.Put())) || FAILED(device->GetId(&id))) {
            return std::nullopt;
        }
        CaptureEndpointEntry entry{FromWide(id), std::nullopt};
        CoTaskMemFree(id);
        ComRef<IPropertyStore> store;
        if (SUCCEEDED(device->OpenPropertyStore(STGM_READ, store.Put()))) {
            PROPVARIANT value;
            PropVariantInit(&value);
            if (SUCCEEDED(store->GetValue(kFriendlyName, &value)) && value.vt == VT_LPWSTR &&
                value.pwszVal) {
                entry.friendlyName = FromWide(value.pwszVal);
            }
            PropVariantClear(&value);
        }
        list.push_back(std::move(entry));
    }
    return list;
}

std::optional<VolumeStepInfo> Win32AudioSystem::GetVolumeStep(const std::u16string& endpoint) {
    ComScope com;
    ComRef<IAudioEndpointVolume> volume = EndpointVolume(endpoint);
    UINT step = 0, count = 0;
    if (!volume || FAILED(volume->GetVolumeStepInfo(&step, &count))) return std::nullopt;
    return VolumeStepInfo{step, count};
}

bool Win32AudioSystem::SetVolumeLevelScalar(const std::u16string& endpoint, float level) {
    ComScope com;
    ComRef<IAudioEndpointVolume> volume = EndpointVolume(endpoint);
    return volume && SUCCEEDED(volume->SetMasterVolumeLevelScalar(level, &kNoEventContext));
}

std::optional<bool> Win32AudioSystem::GetMute(const std::u16string& endpoint) {
    ComScope com;
    ComRef<IAudioEndpointVolume> volume = EndpointVolume(endpoint);
    BOOL mute = FALSE;
    if (!volume || FAILED(volume->GetMute(&mute))) return std::nullopt;
    return mute != FALSE;
}

bool Win32AudioSystem::SetMute(const std::u16string& endpoint, bool mute) {
    ComScope com;
    ComRef<IAudioEndpointVolume> volume = EndpointVolume(endpoint);
    return volume && SUCCEEDED(volume->SetMute(mute ? TRUE : FALSE, &kNoEventContext));
}

std::optional<bool> Win32AudioSystem::GetAutoGainControl(const std::u16string& endpoint) {
    ComScope com;
    ComRef<AutoGainControlInterface> control = AutoGainControl(endpoint);
    BOOL enabled = FALSE;
    if (!control || FAILED(control->GetEnabled(&enabled))) return std::nullopt;
    return enabled != FALSE;
}

bool Win32AudioSystem::SetAutoGainControl(const std::u16string& endpoint, bool enabled) {
    ComScope com;
    ComRef<AutoGainControlInterface> control = AutoGainControl(endpoint);
    return control && SUCCEEDED(control->SetEnabled(enabled ? TRUE : FALSE, &kNoEventContext));
}

}  // namespace tonedeck
