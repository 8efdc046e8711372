// Writing numbers and moments through a parsed label format code.
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "appearance/label_format.h"

namespace corvane {
namespace {

using Code = LabelFormat::Code;

const char* const kMonthNames[12] = {"January",   "February", "March",    "April",
                                     "May",       "June",     "July",     "August",
                                     "September", "October",  "November", "December"};
const char* const kDayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                  "Thursday", "Friday", "Saturday"};

std::string Padded(std::int64_t v, int width) {
  std::string s = std::to_string(v < 0 ? -v : v);
  if (static_cast<int>(s.size()) < width)
    s.insert(0, static_cast<std::size_t>(width) - s.size(), '0');
  return v < 0 ? "-" + s : s;
}

// A non-negative value as decimal digits d1 d2 d3 ... meaning d1.d2d3... x 10^exponent, at
// the 15 significant digits a spreadsheet shows (0.145 is 0.145 there, not 0.14499...).
struct Decimal {
  std::string digits;
  int exponent = 0;
};

Decimal ToDecimal(double magnitude) {
  Decimal d;
  char buf[64];
  const std::to_chars_result r =
      std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14);
  const std::string text(buf, r.ec == std::errc() ? r.ptr : buf);
  const std::size_t e = text.find('e');
  if (magnitude == 0 || e == std::string::npos) return Decimal{"0", 0};
  for (std::size_t k = 0; k < e; ++k)
    if (text[k] != '.') d.digits.push_back(text[k]);
  d.exponent = std::atoi(text.c_str() + e + 1);
  return d;
}

// Rounds half away from zero to `decimals` digits after the point (negative: to tens,
// hundreds, ...); a carry out of the first digit raises the exponent.
void RoundAt(Decimal* d, long decimals) {
  const long keep = d->exponent + 1 + decimals;
  if (keep >= static_cast<long>(d->digits.size())) return;
  const bool up = keep >= 0 && d->digits[static_cast<std::size_t>(keep)] >= '5';
  d->digits.resize(keep > 0 ? static_cast<std::size_t>(keep) : 0);
  long k = static_cast<long>(d->digits.size()) - 1;
  if (up) {
    while (k >= 0 && d->digits[static_cast<std::size_t>(k)] == '9')
      d->digits[static_cast<std::size_t>(k--)] = '0';
    if (k >= 0) {
      ++d->digits[static_cast<std::size_t>(k)];
    } else {
      d->digits.insert(0, 1, '1');
      ++d->exponent;
    }
  }
  if (d->digits.empty()) *d = Decimal{"0", 0};
}

// The digits of each power: integer digits (at least one) and `decimals` fraction digits.
void FixedDigits(const Decimal& d, int decimals, std::string* integer, std::string* fraction) {
  integer->clear();
  fraction->clear();
  auto digitAt = [&](long power) {
    const long index = d.exponent - power;
    return index >= 0 && index < static_cast<long>(d.digits.size())
               ? d.digits[static_cast<std::size_t>(index)]
               : '0';
  };
  for (long power = d.exponent; power >= 0; --power) integer->push_back(digitAt(power));
  if (integer->empty()) integer->push_back('0');
  for (long power = -1; power >= -decimals; --power) fraction->push_back(digitAt(power));
}

// Appends integer digit `index` of `digits`, and a thousands separator when a multiple of
// three digits follows it.
void PutIntegerDigit(const std::string& digits, std::size_t index, bool grouping,
                     std::string* out) {
  out->push_back(digits[index]);
  const std::size_t rest = digits.size() - index - 1;
  if (grouping && rest > 0 && rest % 3 == 0) out->push_back(',');
}

}  // namespace

bool LabelFormat::LayOutNumber() {
  NumberLayout n;
  int exponentPlaces = 0;
  bool zeroSeen = false;
  for (const Token& t : tokens_) {
    const bool zero = t.code == Code::kDigitZero;
    if (t.code == Code::kDigitZero || t.code == Code::kDigitHash) {
      if (t.count == 0) {
        ++n.integerPlaces;
        zeroSeen = zeroSeen || zero;
        if (zeroSeen) ++n.integerZeros;
      } else if (t.count == 1) {
        ++n.fractionPlaces;
        if (zero) n.fractionZeros = n.fractionPlaces;
      } else {
        ++exponentPlaces;
        if (zero) ++n.exponentZeros;
      }
    }
    if (t.code == Code::kGrouping) n.grouping = true;
    if (t.code == Code::kThousands) ++n.thousands;
    if (t.code == Code::kPercent) ++n.percent;
    if (t.code == Code::kExponent) n.exponent = true;
  }
  if (n.integerPlaces + n.fractionPlaces == 0) return false;  // nothing shows the value
  if (n.exponent && exponentPlaces == 0) return false;
  number_ = n;
  return true;
}

std::string LabelFormat::FormatNumber(double value) const {
  if (kind_ != Kind::kNumber) return std::string();
  double x = value;
  for (int k = 0; k < number_.percent && std::isfinite(x); ++k) x *= 100.0;
  for (int k = 0; k < number_.thousands && std::isfinite(x); ++k) x /= 1000.0;
  if (!std::isfinite(x)) return PlainNumber(x);
  const double magnitude = std::fabs(x);

  std::string integer, fraction;
  int exponent = 0;
  Decimal d = ToDecimal(magnitude);
  if (number_.exponent) {
    // The exponent is a multiple of the integer places ("##0.0E+0" writes 12.3E+3), so
    // that many digits may stand before the point; a carry may move to the next multiple.
    const int places = number_.integerPlaces > 0 ? number_.integerPlaces : 1;
    auto below = [places](int e) { return static_cast<int>(e - FloorDiv(e, places) * places); };
    RoundAt(&d, long{number_.fractionPlaces} + below(d.exponent) - d.exponent);
    exponent = d.exponent - below(d.exponent);
    d.exponent -= exponent;
  } else {
    RoundAt(&d, number_.fractionPlaces);
  }
  FixedDigits(d, number_.fractionPlaces, &integer, &fraction);
  // No leading zeros but those the 0 placeholders ask for; trailing zeros only where a 0
  // placeholder stands.
  const std::size_t firstDigit = integer.find_first_not_of('0');
  integer.erase(0, firstDigit == std::string::npos ? integer.size() : firstDigit);
  if (static_cast<int>(integer.size()) < number_.integerZeros)
    integer.insert(0, static_cast<std::size_t>(number_.integerZeros) - integer.size(), '0');
  while (static_cast<int>(fraction.size()) > number_.fractionZeros && fraction.back() == '0')
    fraction.pop_back();
  const bool shown = integer.find_first_not_of('0') != std::string::npos ||
                     fraction.find_first_not_of('0') != std::string::npos;

  std::string out = x < 0 && shown ? "-" : "";
  const long excess = static_cast<long>(integer.size()) - number_.integerPlaces;
  long integerPlace = 0;
  std::size_t fractionPlace = 0;
  bool exponentWritten = false;
  for (const Token& t : tokens_) {
    switch (t.code) {
      case Code::kLiteral: out += t.text; break;
      case Code::kPercent: out += '%'; break;
      case Code::kPoint:
        // A code without integer places still shows the integer digits, before its point.
        if (number_.integerPlaces == 0)
          for (std::size_t k = 0; k < integer.size(); ++k)
            PutIntegerDigit(integer, k, number_.grouping, &out);
        out += '.';
        break;
      case Code::kExponent:
        out += t.text[0];
        if (exponent < 0)
          out += '-';
        else if (t.text[1] == '+')
          out += '+';
        break;
      case Code::kDigitZero:
      case Code::kDigitHash:
        if (t.count == 0) {
          // Digits beyond the placeholders go to the first one.
          if (integerPlace == 0)
            for (long k = 0; k < excess; ++k)
              PutIntegerDigit(integer, static_cast<std::size_t>(k), number_.grouping, &out);
          const long index = excess + integerPlace++;
          if (index >= 0)
            PutIntegerDigit(integer, static_cast<std::size_t>(index), number_.grouping, &out);
        } else if (t.count == 1) {
          if (fractionPlace < fraction.size()) out += fraction[fractionPlace];
          ++fractionPlace;
        } else if (!exponentWritten) {
          const int width = number_.exponentZeros > 0 ? number_.exponentZeros : 1;
          out += Padded(exponent < 0 ? -std::int64_t{exponent} : exponent, width);
          exponentWritten = true;
        }
        break;
      default: break;  // separators and divisors shape the digits only
    }
  }
  return out;
}

std::string LabelFormat::FormatDate(const CivilTime& t) const {
  if (kind_ != Kind::kDate) return std::string();
  bool twelveHour = false;
  for (const Token& k : tokens_)
    if (k.code == Code::kAmPm) twelveHour = true;
  const int hour = twelveHour ? (t.hour % 12 == 0 ? 12 : t.hour % 12) : t.hour;
  const bool pm = t.hour >= 12;
  const int month = t.date.month >= 1 && t.date.month <= 12 ? t.date.month - 1 : 0;
  const int weekday = t.weekday >= 0 && t.weekday <= 6 ? t.weekday : 0;
  std::string out;
  for (const Token& k : tokens_) {
    switch (k.code) {
      case Code::kLiteral: out += k.text; break;
      case Code::kYear4: out += Padded(t.date.year, 4); break;
      case Code::kYear2: out += Padded((t.date.year % 100 + 100) % 100, 2); break;
      case Code::kMonthName: out += kMonthNames[month]; break;
      case Code::kMonthAbbr: out.append(kMonthNames[month], 3); break;
      case Code::kMonth2: out += Padded(t.date.month, 2); break;
      case Code::kMonth1: out += Padded(t.date.month, 1); break;
      case Code::kDayName: out += kDayNames[weekday]; break;
      case Code::kDayAbbr: out.append(kDayNames[weekday], 3); break;
      case Code::kDay2: out += Padded(t.date.day, 2); break;
      case Code::kDay1: out += Padded(t.date.day, 1); break;
      case Code::kHour2: out += Padded(hour, 2); break;
      case Code::kHour1: out += Padded(hour, 1); break;
      case Code::kMinute2: out += Padded(t.minute, 2); break;
      case Code::kMinute1: out += Padded(t.minute, 1); break;
      case Code::kSecond2: out += Padded(t.second, 2); break;
      case Code::kSecond1: out += Padded(t.second, 1); break;
      case Code::kFraction: {
        static const int kDivisor[4] = {1000, 100, 10, 1};
        out += '.';
        out += Padded(t.millisecond / kDivisor[k.count], k.count);
        break;
      }
      case Code::kAmPm: {
        // The marker's own letters and case: "AM/PM" writes AM or PM, "a/p" a or p.
        const std::size_t slash = k.text.find('/');
        out += pm ? k.text.substr(slash + 1) : k.text.substr(0, slash);
        break;
      }
      default: break;
    }
  }
  return out;
}

std::string PlainNumber(double value) {
  // Fixed-point where that reads naturally ("-700000", not "-7e+05"), exponents elsewhere.
  const double magnitude = std::fabs(value);
  const bool fixed = magnitude == 0 || (magnitude >= 1e-5 && magnitude < 1e15);
  char buf[64];
  const std::to_chars_result r =
      fixed ? std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed)
            : std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
  if (r.ec != std::errc()) return std::string();
  return std::string(buf, r.ptr);
}

std::string FormatAxisValue(const LabelFormat& format, double value, DateEpoch epoch) {
  if (format.kind() == LabelFormat::Kind::kNumber) return format.FormatNumber(value);
  std::int64_t ms = 0;
  if (!ValueToMs(epoch, value, &ms) || !IsLabelledDate(ms)) return PlainNumber(value);
  return format.FormatDate(CivilFromMs(ms));
}

}  // namespace corvane
