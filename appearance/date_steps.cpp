#include "appearance/date_steps.h"

namespace corvane {
namespace {

using Unit = DateStep::Unit;

// 1970-01-05, the first Monday.
constexpr std::int64_t kFirstMonday = 4 * kMsPerDay;

std::int64_t UnitMs(Unit unit) {
  switch (unit) {
    case Unit::kMillisecond: return 1;
    case Unit::kSecond: return kMsPerSecond;
    case Unit::kMinute: return kMsPerMinute;
    case Unit::kHour: return kMsPerHour;
    case Unit::kDay: return kMsPerDay;
    case Unit::kWeek: return 7 * kMsPerDay;
    default: return 0;  // months and years have no fixed length
  }
}

std::int64_t MonthIndex(std::int64_t t) {
  const CivilDate d = CivilFromMs(t).date;
  return d.year * 12 + (d.month - 1);
}

std::int64_t MonthStart(std::int64_t index) {
  const std::int64_t year = FloorDiv(index, 12);
  return MsFromCivil(CivilDate{year, static_cast<int>(index - year * 12) + 1, 1});
}

std::int64_t YearStart(std::int64_t year) { return MsFromCivil(CivilDate{year, 1, 1}); }

// Boundaries of months and years are counted in months or years; the others in their fixed
// length from an anchor (midnight 1970-01-01, or the first Monday for weeks).
struct Grid {
  std::int64_t anchor = 0, length = 0;  // fixed steps
};

Grid FixedGrid(const DateStep& s) {
  return Grid{s.unit == Unit::kWeek ? kFirstMonday : 0, UnitMs(s.unit) * s.count};
}

// The calendar's index of the boundary at or before t, and the moment of an index.
std::int64_t IndexAtOrBefore(const DateStep& s, std::int64_t t) {
  if (s.unit == Unit::kMonth) return FloorDiv(MonthIndex(t), s.count);
  if (s.unit == Unit::kYear) return FloorDiv(CivilFromMs(t).date.year, s.count);
  const Grid g = FixedGrid(s);
  return FloorDiv(t - g.anchor, g.length);
}

std::int64_t MomentOf(const DateStep& s, std::int64_t index) {
  if (s.unit == Unit::kMonth) return MonthStart(index * s.count);
  if (s.unit == Unit::kYear) return YearStart(index * s.count);
  const Grid g = FixedGrid(s);
  return g.anchor + index * g.length;
}

// Automatic formats by step: within a day the time, then the time beside the day, then
// beside the full date; above a day the date, then the date with its year.
struct LabelFormats {
  LabelFormat plain, newDay, newYear;
};

LabelFormats Formats(const char* plain, const char* newDay, const char* newYear) {
  LabelFormats f;
  LabelFormat::Parse(plain, &f.plain);
  LabelFormat::Parse(newDay, &f.newDay);
  LabelFormat::Parse(newYear, &f.newYear);
  return f;
}

const LabelFormats& FormatsFor(const DateStep& s) {
  static const LabelFormats kMs1 =
      Formats("hh:nn:ss.000", "d mmm hh:nn:ss.000", "d mmm yyyy hh:nn:ss.000");
  static const LabelFormats kMs10 =
      Formats("hh:nn:ss.00", "d mmm hh:nn:ss.00", "d mmm yyyy hh:nn:ss.00");
  static const LabelFormats kMs100 =
      Formats("hh:nn:ss.0", "d mmm hh:nn:ss.0", "d mmm yyyy hh:nn:ss.0");
  static const LabelFormats kSeconds = Formats("hh:nn:ss", "d mmm hh:nn:ss", "d mmm yyyy hh:nn:ss");
  static const LabelFormats kMinutes = Formats("hh:nn", "d mmm hh:nn", "d mmm yyyy hh:nn");
  static const LabelFormats kDays = Formats("d mmm", "d mmm", "d mmm yyyy");
  static const LabelFormats kMonths = Formats("mmm", "mmm", "mmm yyyy");
  static const LabelFormats kYears = Formats("yyyy", "yyyy", "yyyy");
  switch (s.unit) {
    case Unit::kMillisecond: return s.count < 10 ? kMs1 : s.count < 100 ? kMs10 : kMs100;
    case Unit::kSecond: return kSeconds;
    case Unit::kMinute:
    case Unit::kHour: return kMinutes;
    case Unit::kDay:
    case Unit::kWeek: return kDays;
    case Unit::kMonth: return kMonths;
    default: return kYears;
  }
}

}  // namespace

double DateStep::ApproximateMs() const {
  const double n = static_cast<double>(count);
  if (unit == Unit::kMonth) return n * 30.436875 * kMsPerDay;
  if (unit == Unit::kYear) return n * 365.2425 * kMsPerDay;
  return n * static_cast<double>(UnitMs(unit));
}

std::int64_t DateStep::AtOrBefore(std::int64_t t) const {
  return MomentOf(*this, IndexAtOrBefore(*this, t));
}

std::int64_t DateStep::AtOrAfter(std::int64_t t) const {
  const std::int64_t index = IndexAtOrBefore(*this, t);
  const std::int64_t at = MomentOf(*this, index);
  return at == t ? at : MomentOf(*this, index + 1);
}

bool DateStep::Boundaries(std::int64_t a, std::int64_t b, std::size_t most,
                          std::vector<std::int64_t>* out) const {
  out->clear();
  if (b < a) return true;
  std::int64_t index = IndexAtOrBefore(*this, a);
  if (MomentOf(*this, index) < a) ++index;
  for (std::int64_t t = MomentOf(*this, index); t <= b; t = MomentOf(*this, ++index)) {
    if (out->size() >= most) {
      out->clear();
      return false;
    }
    out->push_back(t);
  }
  return true;
}

std::string DateStep::Label(const CivilTime& t, const CivilTime* previous) const {
  const LabelFormats& f = FormatsFor(*this);
  if (!previous || previous->date.year != t.date.year) return f.newYear.FormatDate(t);
  if (previous->date.month != t.date.month || previous->date.day != t.date.day)
    return f.newDay.FormatDate(t);
  return f.plain.FormatDate(t);
}

const std::vector<DateStep>& DateSteps() {
  static const std::vector<DateStep> kSteps = [] {
    std::vector<DateStep> s;
    for (std::int64_t n : {1, 2, 5, 10, 20, 50, 100, 200, 500})
      s.push_back({Unit::kMillisecond, n});
    for (std::int64_t n : {1, 2, 5, 10, 15, 30}) s.push_back({Unit::kSecond, n});
    for (std::int64_t n : {1, 2, 5, 10, 15, 30}) s.push_back({Unit::kMinute, n});
    for (std::int64_t n : {1, 2, 3, 6, 12}) s.push_back({Unit::kHour, n});
    for (std::int64_t n : {1, 2}) s.push_back({Unit::kDay, n});
    s.push_back({Unit::kWeek, 1});
    for (std::int64_t n : {1, 2, 3, 6}) s.push_back({Unit::kMonth, n});
    for (std::int64_t decade = 1; decade <= 1000; decade *= 10)
      for (std::int64_t n : {1, 2, 5}) s.push_back({Unit::kYear, n * decade});
    s.push_back({Unit::kYear, 10000});
    return s;
  }();
  return kSteps;
}

}  // namespace corvane
