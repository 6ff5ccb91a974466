#include "tools/tonedeck-tool/simulate_traffic.h"

#include <cstdio>

#include "panel/device/driver_records.h"
#include "tools/tonedeck-tool/tool_text.h"

namespace tonedeck::tool {

namespace {

std::string Hex2(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value & 0xFFu);
    return text;
}

}  // namespace

std::string HexBytes(std::span<const uint8_t> bytes) {
    std::string text;
    char hex[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(hex, sizeof hex, "%02X", bytes[i]);
        if (i) text += ' ';
        text += hex;
    }
    return text;
}

std::string DescribeReport(std::span<const uint8_t> r) {
    if (r.size() < 5 || r[0] != 0) return "unknown";
    if (r[1] == 0 && r[2] == 0 && r[3] == 0 && r[4] == 0) return "idle";
    if (r[1] != 0x60) return "unknown";
    if (r[4] == 0x10) return "set-address " + std::to_string(r[2] | (r[3] << 8));
    if (r[4] == 0x20 && r[3] == 0x01) return "write-data " + Hex2(r[2]);
    if (r[4] == 0x30) return "gpio-read";
    if ((r[4] & 0xFC) == 0x3C && r[3] == 0xFF) {
        return "gpio-write lines 0-7 " + Hex2(r[2]) + ", 8-9 " + std::to_string(r[4] & 0x03);
    }
    return "unknown";
}

std::string DescribeRequest(uint32_t code) {
    switch (code) {
        case kIoctlExchangeDriverParameter:
            return "ExchangeDriverParameter";
        case kIoctlSendRoomEffect:
            return "SendRoomEffect";
        case kIoctlSendSpeakerMap:
            return "SendSpeakerMap";
        case kIoctlQueryDriverStatus:
            return "QueryDriverStatus";
        default:
            return "unknown request";
    }
}

bool PrintingHidBus::SetOutputReport(DeviceHandle handle, std::span<const uint8_t> report) {
    const bool ok = inner_.SetOutputReport(handle, report);
    out_ << "  hid out  " << HexBytes(report) << "  " << DescribeReport(report)
         << (ok ? "" : "  REJECTED") << "\n";
    return ok;
}

bool PrintingHidBus::GetInputReport(DeviceHandle handle, std::span<uint8_t> report) {
    const bool ok = inner_.GetInputReport(handle, report);
    if (ok) {
        out_ << "  hid in   " << HexBytes(report) << "  answer "
             << Hex2(report.size() > 2 ? report[2] : 0) << "\n";
    } else {
        out_ << "  hid in   FAILED\n";
    }
    return ok;
}

DeviceHandle PrintingIoControl::Open(const std::u16string& path) {
    const DeviceHandle handle = inner_.Open(path);
    if (!handle) out_ << "  driver   cannot open " << Shown(path) << "\n";
    return handle;
}

bool PrintingIoControl::Control(DeviceHandle handle, uint32_t code, std::span<const uint8_t> input,
                                std::span<uint8_t> output, uint32_t& bytesReturned) {
    const bool ok = inner_.Control(handle, code, input, output, bytesReturned);
    char codeText[16];
    std::snprintf(codeText, sizeof codeText, "0x%06X", code);
    out_ << "  driver   " << codeText << " " << DescribeRequest(code) << " " << HexBytes(input)
         << (ok ? "" : "  FAILED") << "\n";
    if (code == kIoctlSendSpeakerMap && input.size() == sizeof(SpeakerMapRecord)) {
        out_ << "           enable " << ReadU32(input, 4)
             << "; gain, angle of L R C SUB LS RS LB RB:";
        char pair[32];
        for (std::size_t i = 0; i < kSpeakerCount; ++i) {
            std::snprintf(pair, sizeof pair, " %.4f,%.4f", ReadF32(input, 8 + 4 * i),
                          ReadF32(input, 40 + 4 * i));
            out_ << pair;
        }
        out_ << "\n";
    } else if (code == kIoctlSendRoomEffect && input.size() == sizeof(RoomEffectRecord)) {
        out_ << "           effect " << ReadU32(input, 4) << "\n";
    }
    return ok;
}

}  // namespace tonedeck::tool
