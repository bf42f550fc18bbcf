#pragma once

#include <cstdint>

namespace korvane {

// The kind of a day: a set of these flags.
using TDayKind = std::uint8_t;
enum : TDayKind {
    dkSunday = 1,
    dkSaturday = 2,
    dkHoliday = 4,
    dkFurikae = 8,  // substitute holiday
    dkSpecialDay = 16,
};

}  // namespace korvane
