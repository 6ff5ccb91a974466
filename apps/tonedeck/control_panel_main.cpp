#include "apps/tonedeck/control_panel_main.h"

#include "apps/tonedeck/application.h"
#include "apps/tonedeck/gdiplus_session.h"
#include "apps/tonedeck/main_form.h"
#include "platform/win32/win32_errors.h"
#include "platform/win32/win32_profile_store.h"
#include "platform/win32/win32_system_info.h"

namespace tonedeck {

int RunControlPanel(DeviceSide& devices) {
    Application application;
    try {
        // Outlives every decoded picture.
        GdiplusSession gdiplus;
        Win32ProfileStore profiles;
        Win32SystemInfo system;
        TAudioMainForm mainForm(application, profiles, system, devices);
        if (!mainForm.Construct()) return 0;
        mainForm.CreateAboutForm();
        application.Run();
    } catch (...) {
        const std::u16string text = CurrentExceptionText();
        // The main window is gone by now, and its end asked the loop to stop; a message box would
        // take that request as its own and close at once.
        application.DiscardTermination();
        application.ShowError(text);
    }
    return 0;
}

}  // namespace tonedeck
