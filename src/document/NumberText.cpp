#include "document/NumberText.h"

#include <charconv>
#include <limits>

#include "document/Errors.h"

namespace taskwell {
namespace {

// The parts of a number text: its significant digits and the power of ten they are scaled by.
struct DecimalParts {
  bool Negative = false;
  std::string Digits;  // without leading zeros
  long long Exponent = 0;
};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool SplitNumber(std::string_view text, char decimalSeparator, DecimalParts& parts) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  if (i < n && (text[i] == '+' || text[i] == '-')) parts.Negative = text[i++] == '-';
  std::size_t digitCount = 0;
  for (; i < n && IsDigit(text[i]); ++i, ++digitCount) parts.Digits += text[i];
  if (i < n && text[i] == decimalSeparator) {
    for (++i; i < n && IsDigit(text[i]); ++i, ++digitCount) {
      parts.Digits += text[i];
      --parts.Exponent;
    }
  }
  if (digitCount == 0) return false;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
    if (i == n || !IsDigit(text[i])) return false;
    long long exponent = 0;
    for (; i < n && IsDigit(text[i]); ++i) {
      if (exponent < 100000) exponent = exponent * 10 + (text[i] - '0');
    }
    parts.Exponent += negativeExponent ? -exponent : exponent;
  }
  while (i < n && text[i] == ' ') ++i;
  if (i != n) return false;
  const std::size_t firstSignificant = parts.Digits.find_first_not_of('0');
  parts.Digits.erase(
      0, firstSignificant == std::string::npos ? parts.Digits.size() : firstSignificant);
  return true;
}

}  // namespace

bool TryTextToNumber(std::string_view text, char decimalSeparator, Fixed4& value) {
  DecimalParts parts;
  if (!SplitNumber(text, decimalSeparator, parts)) return false;
  if (parts.Digits.empty()) {
    value = 0;
    return true;
  }
  // Scale to ten-thousandths: keep the digits above the cut, round on the rest.
  const long long scale = parts.Exponent + 4;
  const long long kept = static_cast<long long>(parts.Digits.size()) + scale;
  if (kept > 19) return false;
  unsigned long long magnitude = 0;
  constexpr unsigned long long kLimit = std::numeric_limits<std::int64_t>::max();
  for (long long k = 0; k < kept; ++k) {
    const char digit = k < static_cast<long long>(parts.Digits.size())
                           ? parts.Digits[static_cast<std::size_t>(k)]
                           : '0';
    if (magnitude > (kLimit - static_cast<unsigned>(digit - '0')) / 10) return false;
    magnitude = magnitude * 10 + static_cast<unsigned>(digit - '0');
  }
  if (kept < static_cast<long long>(parts.Digits.size())) {
    const std::size_t cut = static_cast<std::size_t>(kept < 0 ? 0 : kept);
    const std::string_view rest = std::string_view(parts.Digits).substr(cut);
    // Below the cut lie more digits than we keep; kept < 0 means a leading run of zeros first.
    const bool zerosFirst = kept < 0;
    const char first = zerosFirst ? '0' : rest[0];
    const bool restAfterFirst =
        zerosFirst ? !rest.empty() : rest.find_first_not_of('0', 1) != std::string_view::npos;
    const bool roundUp = first > '5' || (first == '5' && (restAfterFirst || (magnitude % 2) == 1));
    if (roundUp) {
      if (magnitude == kLimit) return false;
      ++magnitude;
    }
  }
  value = parts.Negative ? -static_cast<Fixed4>(magnitude) : static_cast<Fixed4>(magnitude);
  return true;
}

Fixed4 TextToNumber(std::string_view text, char decimalSeparator) {
  Fixed4 value = 0;
  if (!TryTextToNumber(text, decimalSeparator, value)) ThrowNotValid(text, "floating point value");
  return value;
}

bool TryTextToDouble(std::string_view text, char decimalSeparator, double& value) {
  DecimalParts parts;
  if (!SplitNumber(text, decimalSeparator, parts)) return false;
  const std::string normal = (parts.Digits.empty() ? std::string("0") : parts.Digits) + "e" +
                             std::to_string(parts.Exponent);
  double magnitude = 0;
  const auto result = std::from_chars(normal.data(), normal.data() + normal.size(), magnitude);
  if (result.ec != std::errc()) return false;
  value = parts.Negative ? -magnitude : magnitude;
  return true;
}

double TextToDouble(std::string_view text, char decimalSeparator) {
  double value = 0;
  if (!TryTextToDouble(text, decimalSeparator, value)) ThrowNotValid(text, "floating point value");
  return value;
}

std::string NumberText(Fixed4 value, char decimalSeparator) {
  const bool negative = value < 0;
  const unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                                : static_cast<unsigned long long>(value);
  // Built from the right: fractional digits without trailing zeros, then the whole part.
  char buffer[32];
  char* const end = buffer + sizeof buffer;
  char* p = end;
  unsigned long long fraction = magnitude % 10000;
  if (fraction != 0) {
    int digits = 4;
    for (; fraction % 10 == 0; fraction /= 10) --digits;
    for (; digits > 0; --digits, fraction /= 10) *--p = static_cast<char>('0' + fraction % 10);
    *--p = decimalSeparator;
  }
  unsigned long long whole = magnitude / 10000;
  do {
    *--p = static_cast<char>('0' + whole % 10);
    whole /= 10;
  } while (whole != 0);
  if (negative) *--p = '-';
  return std::string(p, end);
}

}  // namespace taskwell
