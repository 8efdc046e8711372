// The axis members of ICorvaneEx3: axis types, label formats, fitting the horizontal window to
// the data, and the ticks of the layout read back.
#include <new>
#include <stdexcept>
#include <string>
#include <utility>

#include "control/automation.h"
#include "control/automation_guard.h"
#include "platform/string_conversion.h"

namespace corvane {
namespace {


HResult PutType(CChartEngine& e, AxisType& target, std::int32_t code) {
  if (!IsAxisType(code)) return kE_INVALIDARG;
  const AxisType type = AxisTypeOf(code);
  if (type != target) {
    target = type;
    e.InvalidateLayout();
  }
  return kS_OK;
}

HResult PutFormat(CChartEngine& e, std::string& code, LabelFormat& format, const char16_t* s,
                  std::uint32_t len) {
  return Guarded([&] {
    // Longer than any code that reads: refused before it is converted.
    if (len > LabelFormat::kMaxLength * 2) return kE_INVALIDARG;
    const std::string text = NarrowFromUtf16(s, len);
    LabelFormat parsed;
    if (!text.empty() && !LabelFormat::Parse(text, &parsed)) return kE_INVALIDARG;
    if (text == code) return kS_OK;
    // Copied first: what cannot be allocated leaves the code and its format as they were.
    std::string newCode = text;
    code.swap(newCode);
    format = std::move(parsed);
    e.InvalidateLayout();
    return kS_OK;
  });
}

HResult GetText(std::u16string* out, const std::string& text) {
  if (!out) return kE_POINTER;
  return Guarded([&] {
    *out = WidenToUtf16(text);
    return kS_OK;
  });
}

// The ticks of axis 0 or 1 and the 0-based index of tick `index`, or E_INVALIDARG.
template <typename Read>
HResult ReadTick(CChartEngine& e, std::int32_t axis, std::int32_t index, Read&& read) {
  if (axis != 0 && axis != 1) return kE_INVALIDARG;
  return Guarded([&] {
    const AxisTicks ticks = e.LaidOutTicks(axis == 1);
    if (index < 1 || static_cast<std::size_t>(index) > ticks.major.size()) return kE_INVALIDARG;
    return read(ticks, static_cast<std::size_t>(index - 1));
  });
}

}  // namespace

HResult CorvaneAutomation::get_XAxisType(std::int32_t* pVal) {
  if (!pVal) return kE_POINTER;
  *pVal = static_cast<std::int32_t>(engine_.xAxisType);
  return kS_OK;
}
HResult CorvaneAutomation::put_XAxisType(std::int32_t type) {
  return PutType(engine_, engine_.xAxisType, type);
}
HResult CorvaneAutomation::get_YAxisType(std::int32_t* pVal) {
  if (!pVal) return kE_POINTER;
  *pVal = static_cast<std::int32_t>(engine_.yAxisType);
  return kS_OK;
}
HResult CorvaneAutomation::put_YAxisType(std::int32_t type) {
  return PutType(engine_, engine_.yAxisType, type);
}

HResult CorvaneAutomation::get_XLabelFormat(std::u16string* pVal) {
  return GetText(pVal, engine_.xLabelCode);
}
HResult CorvaneAutomation::put_XLabelFormat(const char16_t* s, std::uint32_t len) {
  return PutFormat(engine_, engine_.xLabelCode, engine_.xLabelFormat, s, len);
}
HResult CorvaneAutomation::get_YLabelFormat(std::u16string* pVal) {
  return GetText(pVal, engine_.yLabelCode);
}
HResult CorvaneAutomation::put_YLabelFormat(const char16_t* s, std::uint32_t len) {
  return PutFormat(engine_, engine_.yLabelCode, engine_.yLabelFormat, s, len);
}

HResult CorvaneAutomation::FitSegmentToData() {
  return Guarded([&] {
    engine_.FitSegmentToData();
    return kS_OK;
  });
}

HResult CorvaneAutomation::get_TickCount(std::int32_t axis, std::int32_t* pVal) {
  if (!pVal) return kE_POINTER;
  if (axis != 0 && axis != 1) return kE_INVALIDARG;
  return Guarded([&] {
    *pVal = static_cast<std::int32_t>(engine_.LaidOutTicks(axis == 1).major.size());
    return kS_OK;
  });
}

HResult CorvaneAutomation::get_TickValue(std::int32_t axis, std::int32_t index, double* pVal) {
  if (!pVal) return kE_POINTER;
  return ReadTick(engine_, axis, index, [&](const AxisTicks& t, std::size_t k) {
    *pVal = t.major[k];
    return kS_OK;
  });
}

HResult CorvaneAutomation::get_TickLabel(std::int32_t axis, std::int32_t index,
                                         std::u16string* pVal) {
  if (!pVal) return kE_POINTER;
  return ReadTick(engine_, axis, index, [&](const AxisTicks& t, std::size_t k) {
    *pVal = k < t.labels.size() ? WidenToUtf16(t.labels[k]) : std::u16string();
    return kS_OK;
  });
}

}  // namespace corvane
