// Label format codes, as the Format function of Visual Basic and spreadsheet number formats
// write them: for numbers 0 # . , % E+00 E-00, for dates and times yyyy yy mmmm mmm mm m
// dddd ddd dd d hh h nn n ss s AM/PM am/pm A/P a/p and .0 .00 .000 after the seconds; text
// in double quotes, a character after a backslash, and space - + ( ) $ stand for themselves
// (and / : in date formats). Month and day names are English; the decimal point is always '.'.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "appearance/calendar.h"

namespace corvane {

class LabelFormat {
 public:
  enum class Kind { kNumber, kDate };
  // Longer codes are refused: no label needs them, and every label repeats the code's text.
  static constexpr std::size_t kMaxLength = 255;

  // Reads a code. False, leaving *out as it was, for a code that cannot be read: empty,
  // longer than kMaxLength, an unknown character or letter, an open quote, number and date
  // codes mixed, a second decimal point, an exponent without digits, no placeholder at all.
  static bool Parse(const std::string& code, LabelFormat* out);

  Kind kind() const { return kind_; }
  // A number through a number code: its 15 significant digits, rounded half away from zero
  // to the code's decimals, as spreadsheets show numbers.
  std::string FormatNumber(double value) const;
  // A moment through a date code.
  std::string FormatDate(const CivilTime& t) const;

  // One token of a parsed code (public for the parser's helpers only).
  enum class Code : std::uint8_t {
    kLiteral, kDigitZero, kDigitHash, kPoint, kGrouping, kThousands, kPercent, kExponent,
    kYear4, kYear2, kMonthName, kMonthAbbr, kMonth2, kMonth1, kDayName, kDayAbbr, kDay2, kDay1,
    kHour2, kHour1, kMinute2, kMinute1, kSecond2, kSecond1, kFraction, kAmPm,
  };
  struct Token {
    Code code;
    std::string text;  // literal text; "AM/PM", "am/pm", "A/P" or "a/p"; "E+", "e-", ...
    int count = 0;     // digits of a fraction of a second
  };

 private:
  // What the number tokens add up to, worked out once when the code is read.
  struct NumberLayout {
    int integerPlaces = 0, integerZeros = 0;    // placeholders before the point; from the first 0
    int fractionPlaces = 0, fractionZeros = 0;  // after it; up to the last 0
    int exponentZeros = 0;
    bool grouping = false, exponent = false;
    int percent = 0, thousands = 0;  // each % multiplies by 100, each scaling comma divides by 1000
  };
  bool LayOutNumber();

  Kind kind_ = Kind::kNumber;
  std::vector<Token> tokens_;
  NumberLayout number_;
};

// A value of an axis through a format: a number code formats the value, a date code the
// moment it stands for in its epoch; a moment outside the years 100..9999 (or none at all)
// reads as the plain number.
std::string FormatAxisValue(const LabelFormat& format, double value, DateEpoch epoch);
// The shortest text that reads back as the same double: fixed-point from 1e-5 to 1e15
// ("45261.37", "-700000"), with an exponent beyond ("1e+300").
std::string PlainNumber(double value);

}  // namespace corvane
