#pragma once

#include <QString>

#include <cstdint>
#include <stdexcept>

namespace korvane {

// Raised where text that must be a number is not one.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Strict decimal conversion: optional blanks around, an optional sign, digits, and nothing else;
// the value must fit in 32 bits. "$" followed by hexadecimal digits is accepted too, as the
// settings files of the Windows programs write it.
std::int32_t StrToInt(QStringView text);
bool TryStrToInt(QStringView text, std::int32_t& value);

}  // namespace korvane
