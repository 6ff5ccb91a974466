#include "panel/window/label_style.h"

#include <cmath>
#include <limits>

namespace tonedeck {

double FontScaleFactor(int pixelsPerInch, int osClass) {
    const bool vistaOrLater = osClass == 6;
    switch (pixelsPerInch) {
        case 96:
            return vistaOrLater ? 1.0 : 0.9;
        case 120:
            return vistaOrLater ? 0.8 : 0.72;
        case 144:
            return 0.6664;
        default:
            // Other densities keep the fonts' physical size on screen, as the listed ones do.
            if (pixelsPerInch <= 0) return vistaOrLater ? 1.0 : 0.9;
            return (vistaOrLater ? 96.0 : 86.4) / pixelsPerInch;
    }
}

int RoundHalfEven(double value) {
    // Past int's range the conversion is undefined; a large size times a scale above 1 gets there.
    if (std::isnan(value)) return 0;
    if (value >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (value <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    double floor = std::floor(value);
    double fraction = value - floor;
    if (fraction > 0.5) return static_cast<int>(floor) + 1;
    if (fraction < 0.5) return static_cast<int>(floor);
    return std::fmod(floor, 2.0) == 0.0 ? static_cast<int>(floor) : static_cast<int>(floor) + 1;
}

void ApplyLabelStyle(LabelStyleEntry& entry, const GlobalLabelStyle& global, Control& label,
                     bool selected, double fontScale, WindowHost* measure) {
    if (entry.caption.empty() || entry.caption == u"(null)") {
        label.visible = false;
    } else {
        label.visible = true;
        label.caption = entry.caption;
    }
    if (!entry.upColorGiven && global.upColor != -1) entry.upColor = global.upColor;
    if (!entry.downColorGiven && global.downColor != -1) entry.downColor = global.downColor;

    if (!selected) {
        if (entry.upColorGiven) {
            label.font.color = entry.upColor;
        } else if (global.upColor != -1) {
            label.font.color = global.upColor;
        }
    } else {
        if (entry.downColorGiven) {
            label.font.color = entry.downColor;
        } else if (global.downColor != -1) {
            label.font.color = global.downColor;
        }
    }
    if (entry.fontNameGiven) {
        label.font.name = entry.fontName;
    } else if (!global.fontName.empty()) {
        label.font.name = global.fontName;
    }
    int size = entry.fontSizeGiven ? entry.fontSize : global.fontSize;
    if (entry.fontSizeGiven || global.fontSize != -1) {
        label.font.size = RoundHalfEven(size * fontScale);
        label.font.pixelHeight = 0;
    }
    if (label.autoSize && measure && label.visible) {
        TextSize text = measure->MeasureText(label.caption, label.font);
        label.width = text.width;
        label.height = text.height;
    }
    if (entry.leftGiven) label.left = entry.left;
    if (entry.topGiven) label.top = entry.top;
    if (entry.widthGiven) label.width = entry.width;
    if (entry.heightGiven) label.height = entry.height;
}

}  // namespace tonedeck
