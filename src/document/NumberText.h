#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace taskwell {

// A fixed-point number with four fractional digits: a count of ten-thousandths.
using Fixed4 = std::int64_t;

// Optional blanks, an optional sign, digits, optionally the decimal separator and more digits,
// optionally an exponent, optional blanks. Rounded to four fractional digits, ties to even.
bool TryTextToNumber(std::string_view text, char decimalSeparator, Fixed4& value);
// Throws EConvertError "'<text>' is not a valid floating point value".
Fixed4 TextToNumber(std::string_view text, char decimalSeparator);
// The same syntax at full double precision.
bool TryTextToDouble(std::string_view text, char decimalSeparator, double& value);
double TextToDouble(std::string_view text, char decimalSeparator);

// Shortest form: no exponent, no trailing fractional zeros, no fraction for whole values.
std::string NumberText(Fixed4 value, char decimalSeparator);

}  // namespace taskwell
