#pragma once
// waveIn with completions posted to a window (CALLBACK_WINDOW): the window's MM_WIM_DATA goes
// through TakeCompletion(), which hands out only buffers this adapter still owns and that the
// driver has finished, so a message left over from a closed capture is dropped.

// clang-format off
#include <windows.h>
#include <mmsystem.h>
// clang-format on

#include <map>
#include <memory>
#include <optional>

#include "platform/ports/wave_input.h"

namespace tonedeck {

class Win32WaveInput : public WaveInput {
  public:
    explicit Win32WaveInput(HWND window) : window_(window) {}
    ~Win32WaveInput() override;
    Win32WaveInput(const Win32WaveInput&) = delete;
    Win32WaveInput& operator=(const Win32WaveInput&) = delete;

    WaveInHandle Open(const PcmFormat& format) override;
    WaveBufferId PrepareBuffer(WaveInHandle device, uint32_t length) override;
    bool AddBuffer(WaveInHandle device, WaveBufferId buffer) override;
    bool Start(WaveInHandle device) override;
    bool Stop(WaveInHandle device) override;
    bool Reset(WaveInHandle device) override;
    bool ReleaseBuffer(WaveInHandle device, WaveBufferId buffer) override;
    bool Close(WaveInHandle device) override;

    // MM_WIM_DATA's wParam and lParam.
    std::optional<WaveCompletion> TakeCompletion(WPARAM wParam, LPARAM lParam);

  private:
    struct Buffer {
        uint64_t device = 0;
        WAVEHDR header{};
        std::unique_ptr<char[]> data;
    };
    HWAVEIN DeviceOf(WaveInHandle device) const;
    Buffer* BufferOf(WaveInHandle device, WaveBufferId buffer);

    HWND window_;
    std::map<uint64_t, HWAVEIN> devices_;
    std::map<uint64_t, std::unique_ptr<Buffer>> buffers_;
    uint64_t nextId_ = 1;
};

}  // namespace tonedeck
