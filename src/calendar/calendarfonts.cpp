#include "calendarfonts.h"

#include "core/fonts.h"

namespace korvane {

CalendarFonts::CalendarFonts() {
    InstallFontSubstitutions();
    QFont base(InstalledFamily(kFacePGothic));
    base.setPointSize(9);
    const ColorValue colors[Count] = {clBlack, clBlue, clRed, clWhite, clRed, clGreen, clBlack};
    for (int i = 0; i < Count; ++i) fonts_[std::size_t(i)] = {base, colors[i]};
    fonts_[Rokuyo].Font.setPointSize(10);
}

void CalendarFonts::SetFont(Index i, const CalendarFont& font) {
    if (Synchronize) {
        for (CalendarFont& f : fonts_) f = font;
    } else {
        fonts_[std::size_t(i)] = font;
    }
    changed();
}

void CalendarFonts::SetColor(Index i, ColorValue color) {
    CalendarFont f = Font(i);
    f.Color = color;
    SetFont(i, f);
}

void CalendarFonts::Assign(const CalendarFonts& other) {
    fonts_ = other.fonts_;
    Synchronize = other.Synchronize;
    changed();
}

void CalendarFonts::SetSizeExceptRokuyo(int pointSize) {
    for (int i = 0; i < Count; ++i)
        if (i != Rokuyo) fonts_[std::size_t(i)].Font.setPointSize(pointSize);
    changed();
}

}  // namespace korvane
