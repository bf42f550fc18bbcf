#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace korvane {

// One lunisolar month start: its day number and month code (1..12, or 100 + n for a leap month
// after month n; a leap month may also repeat the plain number).
struct LunisolarMonth {
    std::int32_t start;
    std::int32_t code;
};

// The table of lunisolar month starts built into the program, loaded on first use (from any
// thread). Throws EConvertError should a row not convert.
const std::vector<LunisolarMonth>& LunisolarTable();

// Lunisolar month code (low byte) and day of a day number; (0, 0) outside the table.
void LunisolarDateOf(std::int32_t jd, std::uint8_t& code, std::uint8_t& day);
// Rokuyō index 1..6, 0 outside the table.
std::uint8_t RokuyoOf(std::int32_t jd);

extern const std::array<QString, 7> RokuyoNames;

}  // namespace korvane
