#include "calexfonts.h"

#include "core/fonts.h"

namespace korvane {

TCalExFonts::TCalExFonts() {
    InstallFontSubstitutions();
    QFont base(kFacePGothic);
    base.setPointSize(9);
    const TColor colors[Count] = {clBlack, clBlue, clRed, clWhite, clRed, clGreen, clBlack};
    for (int i = 0; i < Count; ++i) fonts_[std::size_t(i)] = {base, colors[i]};
    fonts_[Rokuyo].Font.setPointSize(10);
}

void TCalExFonts::SetFont(Index i, const TCalFont& font) {
    if (Synchronize) {
        for (TCalFont& f : fonts_) f = font;
    } else {
        fonts_[std::size_t(i)] = font;
    }
    changed();
}

void TCalExFonts::SetColor(Index i, TColor color) {
    TCalFont f = Font(i);
    f.Color = color;
    SetFont(i, f);
}

void TCalExFonts::Assign(const TCalExFonts& other) {
    fonts_ = other.fonts_;
    Synchronize = other.Synchronize;
    changed();
}

void TCalExFonts::SetSizeExceptRokuyo(int pointSize) {
    for (int i = 0; i < Count; ++i)
        if (i != Rokuyo) fonts_[std::size_t(i)].Font.setPointSize(pointSize);
    changed();
}

}  // namespace korvane
