#pragma once
// The conversions of collected texts into numbers, as the numeric items of
// a pattern make them: "float_of_string" / "int_of_string" failures. Also
// for readers that convert a text of their own.
#include <string_view>

namespace Scan_numbers {

// Decimal syntax only: [+-] digits [. digits] [(e|E) [+-] digits], with at
// least one mantissa digit. Correctly rounded; an infinite result fails.
double float_of_string(std::string_view text);
// [+-] then decimal digits, or 0x/0X, 0o, 0b and digits of that base.
long long int_of_string(std::string_view text);

}  // namespace Scan_numbers
