#include "qtcolor.h"

namespace korvane {

QColor ToQColor(ColorValue c) {
    const std::uint32_t v = std::uint32_t(c);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

QColor ToQColor(ColorValue c, const QPalette& p) {
    if (IsSystemColor(c)) {
        switch (std::uint32_t(c) & 0xFF) {
            case 5:
                return p.color(QPalette::Base);
            case 8:
                return p.color(QPalette::Text);
            case 0x0F:
                return p.color(QPalette::Button);
            case 0x10:
                return p.color(QPalette::Mid);
            case 0x0D:
                return p.color(QPalette::Highlight);
            case 0x0E:
                return p.color(QPalette::HighlightedText);
            case 0x11:
                return p.color(QPalette::Disabled, QPalette::Text);
            case 0x12:
                return p.color(QPalette::ButtonText);
            case 0x14:
                return p.color(QPalette::Light);
            case 0x15:
                return p.color(QPalette::Shadow);
            case 0x16:
                return p.color(QPalette::Midlight);
            case 0x17:
                return p.color(QPalette::ToolTipText);
            case 0x18:
                return p.color(QPalette::ToolTipBase);
            case 7:
                return p.color(QPalette::WindowText);
            case 4:
                return p.color(QPalette::Window);
            default:
                return p.color(QPalette::Window);
        }
    }
    return ToQColor(c);
}

}  // namespace korvane
