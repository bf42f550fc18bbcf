#pragma once

#include <cstdint>

namespace korvane {

// The kind of a day: a set of these flags.
using DayKind = std::uint8_t;
enum : DayKind {
    dkSunday = 1,
    dkSaturday = 2,
    dkHoliday = 4,
    dkFurikae = 8,  // substitute holiday
    dkSpecialDay = 16,
};

}  // namespace korvane
