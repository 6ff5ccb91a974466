// The device adapters against the real SetupAPI, hid.dll and DeviceIoControl. Wine lists its
// own virtual mouse and keyboard as HID devices and no audio device, so these runs cover the
// listing, the property protocol and the "no device" paths.

#include <gtest/gtest.h>

// clang-format off
#include <windows.h>
#include <dbt.h>
// clang-format on

#include <cstring>
#include <vector>

#include "common/device_id_mgr.h"
#include "common/text.h"
#include "panel/device/device_presence.h"
#include "panel/device/driver_channel.h"
#include "panel/device/hid_channel.h"
#include "platform/sim/sim_file_system.h"
#include "platform/win32/win32_device_change.h"
#include "platform/win32/win32_device_tree.h"
#include "platform/win32/win32_hid_bus.h"
#include "platform/win32/win32_io_control.h"

namespace tonedeck {
namespace {

constexpr uint16_t kWineVendor = 0x845E;

TEST(DeviceAdapters, HidListingOpensWinesDevicesAndFindsNoSoundDevice) {
    Win32HidBus bus;
    const auto paths = bus.ListInterfacePaths();
    ASSERT_TRUE(paths.has_value());
    ASSERT_FALSE(paths->empty());
    int wineDevices = 0;
    for (const std::u16string& path : *paths) {
        const DeviceHandle handle = bus.Open(path);
        if (!handle) continue;
        const auto attributes = bus.GetAttributes(handle);
        if (attributes && attributes->vendorId == kWineVendor) ++wineDevices;
        bus.Close(handle);
    }
    EXPECT_GT(wineDevices, 0);

    HidChannel channel(bus);
    EXPECT_FALSE(channel.OpenHidDevice(0x0C76, 0x161B));
    EXPECT_EQ(channel.ApplyLed(0x0C76, 0x161B, true), kLedNoDevice);
}

TEST(DeviceAdapters, HidChannelOpensTheFirstWineDeviceByItsIds) {
    Win32HidBus bus;
    const auto paths = bus.ListInterfacePaths();
    ASSERT_TRUE(paths.has_value());
    std::optional<HidAttributes> first;
    for (const std::u16string& path : *paths) {
        const DeviceHandle handle = bus.Open(path);
        if (!handle) continue;
        first = bus.GetAttributes(handle);
        bus.Close(handle);
        if (first) break;
    }
    ASSERT_TRUE(first.has_value());
    HidChannel channel(bus);
    const DeviceHandle handle = channel.OpenHidDevice(first->vendorId, first->productId);
    ASSERT_TRUE(handle);
    const auto caps = bus.GetCaps(handle);
    ASSERT_TRUE(caps.has_value());
    EXPECT_EQ(channel.GetInputReportLength(handle), caps->inputReportByteLength);
    EXPECT_EQ(channel.GetOutputReportLength(handle), caps->outputReportByteLength);
    channel.CloseHidDevice(handle);
}

TEST(DeviceAdapters, HardwareIdsComeThroughTheSizeThenReadProtocol) {
    Win32DeviceTree tree;
    const DeviceList list = tree.OpenPresentInterfaceList(kGuidDevInterfaceHid);
    ASSERT_TRUE(list);
    ASSERT_TRUE(tree.EnumDevice(list, 0));
    const PropertyRead probe = tree.GetDeviceProperty(list, 0, DeviceProperty::kHardwareId, {});
    EXPECT_FALSE(probe.ok);
    EXPECT_EQ(probe.lastError, DeviceTree::kErrorInsufficientBuffer);
    EXPECT_GT(probe.requiredSize, 0u);
    const auto hardwareId = ReadHardwareId(tree, list, 0);
    ASSERT_TRUE(hardwareId.has_value());
    EXPECT_EQ(AsciiUpper(*hardwareId).rfind(u"HID\\", 0), 0u) << U16ToUtf8(*hardwareId);
    EXPECT_LE(hardwareId->size() * 2 + 4, probe.requiredSize) << "first string and the list end";
    tree.CloseList(list);
}

TEST(DeviceAdapters, AudioCategoryListsNothing) {
    Win32DeviceTree tree;
    const DeviceList list = tree.OpenPresentInterfaceList(kKsCategoryAudio);
    ASSERT_TRUE(list);
    EXPECT_FALSE(tree.EnumDevice(list, 0));
    tree.CloseList(list);

    SimFileSystem files;
    const CDeviceIdMgr group(files);
    const AudioDeviceSearch search = FindAudioDevice(tree, group);
    EXPECT_FALSE(search.found);
    EXPECT_TRUE(search.hardwareId.empty());
}

TEST(DeviceAdapters, MissingDriverPathsFailTheOpen) {
    Win32IoControl io;
    DriverChannel channel(io);
    channel.SetDriverDevice(0x0C76, 0x161B);
    uint32_t value = 1234;
    EXPECT_EQ(channel.ExchangeDriverParameter(0, value), kDriverOpenFailed);
    EXPECT_EQ(value, 1234u);
    EXPECT_EQ(channel.SendRoomEffect(0), kDriverOpenFailed);
    EXPECT_EQ(channel.SendSpeakerMap(0, {}), kDriverOpenFailed);
    uint32_t status = 7;
    EXPECT_EQ(channel.QueryDriverStatus(status), kDriverOpenFailed);
    EXPECT_EQ(status, 7u);
    EXPECT_FALSE(io.Open(kDriverControlDevicePath));
}

TEST(DeviceAdapters, DeviceChangeRecordsTranslate) {
    const wchar_t name[] =
        L"\\\\?\\HID#VID_0C76&PID_161B&MI_02#7&1#{4d1e55b2-f16f-11cf-88cb-001111000030}";
    std::vector<uint8_t> buffer(sizeof(DEV_BROADCAST_DEVICEINTERFACE_W) + sizeof(name), 0);
    auto* record = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(buffer.data());
    record->dbcc_size = static_cast<DWORD>(buffer.size());
    record->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    record->dbcc_classguid = {
        0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
    std::memcpy(record->dbcc_name, name, sizeof(name));

    const DeviceChange removal =
        DeviceChangeFromMessage(DBT_DEVICEREMOVECOMPLETE, reinterpret_cast<LPARAM>(record));
    EXPECT_TRUE(removal.hasRecord);
    EXPECT_EQ(removal.event, kDbtDeviceRemoveComplete);
    EXPECT_EQ(removal.deviceType, kDbtDevTypDeviceInterface);
    EXPECT_EQ(removal.interfaceClass, kGuidDevInterfaceHid);
    EXPECT_EQ(ParseVidPid(removal.path), (VidPid{0x0C76, 0x161B}));

    const DeviceChange other = DeviceChangeFromMessage(DBT_DEVNODES_CHANGED, 0);
    EXPECT_FALSE(other.hasRecord);
}

}  // namespace
}  // namespace tonedeck
