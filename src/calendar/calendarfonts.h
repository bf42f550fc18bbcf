#pragma once

#include "core/colortext.h"

#include <QFont>
#include <QObject>

#include <array>

namespace korvane {

// A font with its colour, as the calendars keep them.
struct CalendarFont {
    QFont Font;
    ColorValue Color = clBlack;
    bool operator==(const CalendarFont& o) const { return Font == o.Font && Color == o.Color; }
};

// The seven fonts of a calendar. Any change is signalled to the owner, which redraws. A copy is
// a plain value: it has no connections, so changing it redraws nobody.
class CalendarFonts : public QObject {
    Q_OBJECT

public:
    enum Index { Weekday, Saturday, Sunday, DayOfWeek, Holiday, SpecialDay, Rokuyo, Count };

    CalendarFonts();
    CalendarFonts(const CalendarFonts& other)
        : QObject(), Synchronize(other.Synchronize), fonts_(other.fonts_) {}
    // Takes the fonts; the connections stay this set's own.
    CalendarFonts& operator=(const CalendarFonts& other) {
        fonts_ = other.fonts_;
        Synchronize = other.Synchronize;
        return *this;
    }

    const CalendarFont& Font(Index i) const { return fonts_[std::size_t(i)]; }
    // With Synchronize on, every font takes a copy of the given one.
    void SetFont(Index i, const CalendarFont& font);
    void SetColor(Index i, ColorValue color);
    void Assign(const CalendarFonts& other);
    // Gives every font but Rokuyo the point size.
    void SetSizeExceptRokuyo(int pointSize);

    bool Synchronize = false;

signals:
    void Changed();

private:
    void changed() { emit Changed(); }
    std::array<CalendarFont, Count> fonts_;
};

}  // namespace korvane
