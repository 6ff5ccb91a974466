#include "apps/tonedeck-sim/window_layout_report.h"

#include "common/text.h"

namespace tonedeck {

std::string DescribeWindowLayout(const ControlModel& window) {
    std::string text = "[Controls]\r\n";
    for (ControlId id = 0; id < window.size(); ++id) {
        const Control& control = window[id];
        if (control.name.empty()) continue;
        const Point origin = window.ClientOrigin(id);
        text += U16ToUtf8(control.name) + "=" + std::to_string(origin.x) + "," +
                std::to_string(origin.y) + "," + std::to_string(control.width) + "," +
                std::to_string(control.height) + "," + (window.Showing(id) ? "1" : "0") + "," +
                (control.enabled ? "1" : "0") + "\r\n";
    }
    return text;
}

}  // namespace tonedeck
