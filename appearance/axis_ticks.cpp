#include "appearance/axis_ticks.h"

#include <cmath>
#include <utility>

#include "appearance/date_ticks.h"
#include "appearance/log_ticks.h"
#include "appearance/nice_ticks.h"
#include "platform/bitmap_limits.h"

namespace corvane {
namespace {

// Steps tried per axis at most: each is at least twice the one before, so 64 of them cover
// far more than the ratio of any range to its smallest step.
constexpr int kMostSteps = 64;

// No more ticks than pitches fit into the extent, one at each end besides, and never more
// than the largest picture has pixels, whatever extent a caller names.
std::size_t Most(std::int32_t extent, double pitch) {
  const double fit = std::fmin(extent / pitch, static_cast<double>(kMaxBitmapSide));
  return static_cast<std::size_t>(fit > 0 ? fit : 0) + 2;
}

// Takes the first candidate whose labels fit.
class Chooser {
 public:
  Chooser(const TickRequest& request, LabelMeasure& measure)
      : request_(request),
        fit_(measure, request.room),
        scale_(AxisScale::For(request.type)),
        most_(Most(request.room.extent, fit_.pitch())) {}

  const TickRequest& request() const { return request_; }
  const AxisScale& scale() const { return scale_; }
  std::size_t most() const { return most_; }
  // The least distance between ticks, in the range's units, for a linear scale.
  double FinestStep(double from, double to) const {
    return (to - from) / request_.room.extent * fit_.pitch();  // divided first: 1e308 stays finite
  }
  double PixelsPerUnit(double from, double to) const {
    return request_.room.extent / (scale_.Forward(to) - scale_.Forward(from));
  }

  // Accepts the candidate into *out when its labels fit over [from, to].
  bool Try(double from, double to, std::vector<double>&& values, std::vector<std::string>&& labels,
           std::vector<double>&& minor, AxisTicks* out) {
    AxisMapping mapping;
    if (values.size() > most_ ||
        !AxisMapping::Make(scale_, from, to, 0, request_.room.extent, &mapping))
      return false;
    // Two neighbouring labels that read alike say nothing (a format too coarse for the
    // step); blank ticks between them do not count.
    const std::string* previous = nullptr;
    for (const std::string& label : labels) {
      if (label.empty()) continue;
      if (previous && label == *previous) return false;
      previous = &label;
    }
    positions_.clear();
    for (double v : values) positions_.push_back(mapping.Device(v));
    if (!fit_.Fits(positions_, labels)) return false;
    out->major = std::move(values);
    out->labels = std::move(labels);
    out->minor = std::move(minor);
    out->from = from;
    out->to = to;
    return true;
  }

 private:
  const TickRequest& request_;
  LabelFit fit_;
  AxisScale scale_;
  std::size_t most_;
  std::vector<double> positions_;
};

std::vector<std::string> NumberLabels(const std::vector<double>& values, const NiceStep& step,
                                      const LabelFormat* format, DateEpoch epoch) {
  std::vector<std::string> labels;
  labels.reserve(values.size());
  double largest = 0;
  for (double v : values) largest = std::fmax(largest, std::fabs(v));
  const NiceLabels nice(step, largest);
  for (double v : values) labels.push_back(format ? FormatAxisValue(*format, v, epoch) : nice(v));
  return labels;
}

// Round ticks on the axis's scale: linear, or within a decade of a logarithmic one, where
// 0 and below are no ticks and the low end is not widened past them.
void ChooseRound(Chooser& c, double from, double to, const LabelFormat* format, AxisTicks* out) {
  NiceStep step;
  if (!NiceStep::AtLeast(c.FinestStep(from, to), &step)) return;
  const bool widen = c.request().widen;
  const bool positive = c.scale().logarithmic();
  const DateEpoch epoch =
      c.request().type == AxisType::kUnixTime ? DateEpoch::kUnix : DateEpoch::kOle;
  std::vector<double> values;
  for (int tried = 0; tried < kMostSteps; ++tried) {
    double a = from, b = to;
    if (widen) {
      // Outward even where a multiple rounds a hair inside the range (1e300 as 100 x 1e298).
      a = std::fmin(FloorToStep(step, from), from);
      b = std::fmax(CeilToStep(step, to), to);
      if (positive && !(a > 0)) a = from;
    }
    if (std::isfinite(a) && std::isfinite(b) && NiceMultiples(step, a, b, c.most(), &values)) {
      if (positive)
        while (!values.empty() && !(values.front() > 0)) values.erase(values.begin());
      if (values.empty()) return;  // coarser steps find no multiple either
      const bool single = values.size() == 1;
      std::vector<std::string> labels = NumberLabels(values, step, format, epoch);
      if (c.Try(a, b, std::move(values), std::move(labels), {}, out)) return;
      if (single && !widen) return;  // coarser steps give this tick or none
    }
    if (!step.Next()) return;
  }
}

void ChooseDecades(Chooser& c, double from, double to, const LabelFormat* format, AxisTicks* out) {
  std::vector<double> values, minor;
  for (std::size_t index = 0; DecadeStep(index) > 0; ++index) {
    const int step = DecadeStep(index);
    double a = from, b = to;
    if (c.request().widen) WidenToDecades(step, &a, &b);
    if (!DecadeTicks(step, a, b, c.most(), &values)) continue;
    if (values.empty()) return;
    DecadeMinorTicks(step, a, b, c.PixelsPerUnit(a, b), &minor);
    std::vector<std::string> labels = DecadeLabels(values, format);
    if (c.Try(a, b, std::move(values), std::move(labels), std::move(minor), out)) return;
  }
}

void ChooseDates(Chooser& c, DateEpoch epoch, double from, double to, const LabelFormat* format,
                 AxisTicks* out) {
  std::int64_t msFrom = 0, msTo = 0;
  if (!ValueToMs(epoch, from, &msFrom) || !ValueToMs(epoch, to, &msTo) || !IsLabelledDate(msFrom) ||
      !IsLabelledDate(msTo)) {
    // Beyond the years a date label holds the axis reads as numbers.
    const bool numberCode = format && format->kind() == LabelFormat::Kind::kNumber;
    ChooseRound(c, from, to, numberCode ? format : nullptr, out);
    return;
  }
  // Ticks lie a step apart in value (before 1899-12-30 too, where the moments of a range of
  // automation dates may span more than its values), so the values' span bounds the steps.
  const double msPerUnit = epoch == DateEpoch::kOle ? static_cast<double>(kMsPerDay) : 1000.0;
  const double finest = c.FinestStep(from * msPerUnit, to * msPerUnit);
  std::vector<DateTick> ticks;
  for (const DateStep& step : DateSteps()) {
    if (step.ApproximateMs() * 1.1 < finest) continue;
    double a = from, b = to;
    if (c.request().widen && !WidenToDateStep(epoch, step, &a, &b)) continue;
    a = std::fmin(a, from);  // a boundary within the slack inside the range stays outside it
    b = std::fmax(b, to);
    if (!DateAxisTicks(epoch, step, a, b, c.most(), &ticks)) continue;
    if (ticks.empty()) continue;
    std::vector<std::string> labels = DateTickLabels(epoch, step, ticks, format);
    std::vector<double> values;
    values.reserve(ticks.size());
    for (const DateTick& t : ticks) values.push_back(t.value);
    if (c.Try(a, b, std::move(values), std::move(labels), {}, out)) break;
  }
  if (out->major.size() >= 2) return;
  // Not two labelled ticks at any step (a few weeks whose labels carry a year are too wide
  // for a week apart, and a month step leaves one tick): the finest step whose every second
  // tick carries a label, two at least, the ticks between left blank. The labels are worked
  // out over the labelled ticks alone, so each says what changed since the label before it.
  AxisTicks thinned;
  for (const DateStep& step : DateSteps()) {
    if (step.ApproximateMs() * 1.1 < finest) continue;
    double a = from, b = to;
    if (c.request().widen && !WidenToDateStep(epoch, step, &a, &b)) continue;
    a = std::fmin(a, from);
    b = std::fmax(b, to);
    if (!DateAxisTicks(epoch, step, a, b, c.most(), &ticks) || ticks.size() < 3) continue;
    std::vector<DateTick> labelled;
    for (std::size_t k = 0; k < ticks.size(); k += 2) labelled.push_back(ticks[k]);
    const std::vector<std::string> shown = DateTickLabels(epoch, step, labelled, format);
    std::vector<std::string> labels(ticks.size());
    std::vector<double> values;
    values.reserve(ticks.size());
    for (std::size_t k = 0; k < ticks.size(); ++k) {
      values.push_back(ticks[k].value);
      if (k % 2 == 0) labels[k] = shown[k / 2];
    }
    if (c.Try(a, b, std::move(values), std::move(labels), {}, &thinned)) {
      *out = std::move(thinned);
      return;
    }
  }
}

}  // namespace

bool ChooseAxisTicks(const TickRequest& request, LabelMeasure& measure, AxisTicks* out) {
  *out = AxisTicks{};
  out->from = request.from;
  out->to = request.to;
  const AxisScale scale = AxisScale::For(request.type);
  if (request.type == AxisType::kGrid || !IsAxisType(static_cast<std::int32_t>(request.type)))
    return false;
  if (!scale.Takes(request.from) || !scale.Takes(request.to) || !(request.from < request.to))
    return false;
  const double span = scale.Forward(request.to) - scale.Forward(request.from);
  if (!std::isfinite(span) || !(span > 0) || request.room.extent < 1) return false;

  Chooser chooser(request, measure);
  switch (request.type) {
    case AxisType::kOleDate:
    case AxisType::kUnixTime:
      ChooseDates(chooser, request.type == AxisType::kOleDate ? DateEpoch::kOle : DateEpoch::kUnix,
                  request.from, request.to, request.format, out);
      break;
    case AxisType::kLog10:
      // Two powers of ten or more: decades; a range within a decade: round ticks.
      if (PowersOfTenWithin(request.from, request.to) >= 2)
        ChooseDecades(chooser, request.from, request.to, request.format, out);
      else
        ChooseRound(chooser, request.from, request.to, request.format, out);
      break;
    default: ChooseRound(chooser, request.from, request.to, request.format, out); break;
  }
  return true;
}

}  // namespace corvane
