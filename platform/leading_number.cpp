#include "platform/leading_number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace platform {

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsValBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
}  // namespace

double LeadingNumber(std::string_view text) {
  // Collect the number's characters without blanks, then convert in the "C" way whatever the
  // process locale is.
  std::string digits;
  std::size_t i = 0;
  auto skipBlanks = [&] {
    while (i < text.size() && IsValBlank(text[i])) ++i;
  };
  auto takeDigits = [&] {
    bool any = false;
    for (skipBlanks(); i < text.size() && IsDigit(text[i]); skipBlanks()) {
      digits += text[i++];
      any = true;
    }
    return any;
  };
  skipBlanks();
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  bool mantissa = takeDigits();
  if (i < text.size() && text[i] == '.') {
    ++i;
    digits += '.';
    mantissa = takeDigits() || mantissa;
  }
  if (!mantissa) return 0.0;
  bool negativeExponent = false;
  skipBlanks();
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    std::size_t j = i + 1;
    while (j < text.size() && IsValBlank(text[j])) ++j;
    bool expNegative = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
      expNegative = text[j] == '-';
      ++j;
    }
    while (j < text.size() && IsValBlank(text[j])) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      digits += 'e';
      if (expNegative) digits += '-';
      negativeExponent = expNegative;
      i = j;
      takeDigits();
    }
  }
  if (digits == ".") return 0.0;
  double value = 0.0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  (void)end;
  if (ec == std::errc::result_out_of_range) {
    value = negativeExponent ? 0.0 : std::numeric_limits<double>::infinity();
  } else if (ec != std::errc()) {
    value = 0.0;
  }
  return negative ? -value : value;
}

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  const double low = std::floor(value);
  const double diff = value - low;
  if (diff < 0.5) return low;
  if (diff > 0.5) return low + 1.0;
  return std::fmod(low, 2.0) == 0.0 ? low : low + 1.0;
}

}  // namespace platform
