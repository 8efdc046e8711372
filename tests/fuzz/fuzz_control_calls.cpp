#include "tests/fuzz/fuzz_control_calls.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "control/chart_control/chart_interaction.h"
#include "control/chart_control/control_properties.h"
#include "tests/fuzz/fuzz_args.h"

namespace corvane::fuzz {
namespace {

constexpr std::uint32_t kMaxEvents = 24;
constexpr std::uint32_t kMaxEntries = 32;

void Put16(std::vector<std::uint8_t>& b, std::uint16_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// One entry's payload of the given type, as the stream carries it.
std::vector<std::uint8_t> Payload(Reader& in, PropertyType type) {
  std::vector<std::uint8_t> p;
  switch (type) {
    case PropertyType::kInt32: Put32(p, static_cast<std::uint32_t>(in.Int())); break;
    case PropertyType::kDouble: {
      const double v = in.Real();
      std::uint64_t bits;
      std::memcpy(&bits, &v, sizeof bits);
      Put32(p, static_cast<std::uint32_t>(bits));
      Put32(p, static_cast<std::uint32_t>(bits >> 32));
      break;
    }
    case PropertyType::kBool: p.push_back(in.Byte() % 3); break;
    case PropertyType::kText: {
      bool isNull;
      for (char16_t c : in.Text(&isNull)) Put16(p, c);
      break;
    }
  }
  return p;
}

std::vector<std::uint8_t> StreamOf(Reader& in) {
  const std::vector<PropertyKind>& kinds = PropertyKinds();
  std::vector<std::uint8_t> body;
  const std::uint32_t count = in.Below(kMaxEntries + 1);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint8_t pick = in.Byte();
    const PropertyKind& kind = kinds[pick % kinds.size()];
    const std::uint16_t tag = pick < 240 ? kind.tag : in.U16();
    const std::uint8_t plot = kind.perPlot ? static_cast<std::uint8_t>(1 + in.Below(9)) : 0;
    const std::uint8_t mistype = in.Byte();
    const auto type = mistype < 240 ? kind.type : static_cast<PropertyType>(mistype % 6);
    std::vector<std::uint8_t> payload;
    if (type == PropertyType::kInt32 && (std::strcmp(kind.name, "width") == 0 ||
                                         std::strcmp(kind.name, "height") == 0)) {
      // Sides the chart refuses, or small ones: a big picture would only make inputs slow.
      std::int32_t side = SideOf(in);
      if (side > 0 && side <= 32767) side = 1 + side % 160;
      Put32(payload, static_cast<std::uint32_t>(side));
    } else {
      payload = Payload(in, type);
    }
    std::uint32_t length = static_cast<std::uint32_t>(payload.size());
    if (in.Byte() >= 250) length = in.U32();  // a length that does not fit
    Put16(body, tag);
    body.push_back(in.Byte() >= 250 ? in.Byte() : plot);
    body.push_back(static_cast<std::uint8_t>(type));
    Put32(body, length);
    body.insert(body.end(), payload.begin(), payload.end());
  }
  std::vector<std::uint8_t> stream = EncodeProperties({});
  if (in.Byte() >= 250) stream[4] = in.Byte();  // another format version
  const std::uint32_t length = static_cast<std::uint32_t>(body.size());
  std::memcpy(stream.data() + 8, &length, sizeof length);  // the writer is little-endian too
  stream.insert(stream.end(), body.begin(), body.end());
  return stream;
}

bool SameProperties(const std::vector<SavedProperty>& a, const std::vector<SavedProperty>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].tag != b[i].tag || a[i].plot != b[i].plot || a[i].type != b[i].type ||
        a[i].number != b[i].number || a[i].text != b[i].text ||
        std::memcmp(&a[i].real, &b[i].real, sizeof(double)) != 0)
      return false;
  }
  return true;
}

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "fuzz check failed in LoadProperties: %s\n", what);
  std::abort();
}

}  // namespace

HResult ControlGesturesCall(Reader& in, Session& s) {
  ChartInteraction ui(s.chart);
  ui.SetZoomMode(in.Int());
  ui.SetPanMode(in.Int());
  ui.SetHoverInfo(in.Byte() & 1);
  ui.SetCrosshair(in.Byte() & 1);
  if (in.Byte() & 1) ui.HostSegment(in.Real(), in.Real());
  const std::uint32_t events = in.Below(kMaxEvents + 1);
  for (std::uint32_t i = 0; i < events; ++i) {
    const std::uint8_t kind = in.Byte();
    const std::int32_t x = in.Int(), y = in.Int();
    const MouseButton button = static_cast<MouseButton>(1 << in.Below(3));
    switch (kind % 7) {
      case 0: ui.Wheel(x, y, in.Int()); break;
      case 1: ui.Press(button, x, y, in.Byte() & 7); break;
      case 2: ui.Move(x, y); break;
      case 3: ui.Release(button, x, y); break;
      case 4: ui.Cancel(); break;
      case 5: ui.Leave(); break;
      case 6: ui.ResetZoom(); break;
    }
    IRect rect;
    ui.ZoomRectangle(&rect);
    std::int32_t cx, cy;
    ui.Cursor(&cx, &cy);
  }
  return kS_OK;
}

HResult LoadPropertiesCall(Reader& in, Session& s) {
  const std::vector<std::uint8_t> stream = StreamOf(in);
  std::uint32_t bodyLength = 0;
  HResult hr = DecodePropertyHeader(stream.data(), &bodyLength);
  if (Failed(hr)) return hr;
  std::vector<SavedProperty> entries;
  hr = DecodePropertyBody(stream.data() + kPropertyHeaderSize,
                          std::min<std::size_t>(bodyLength, stream.size() - kPropertyHeaderSize),
                          &entries);
  if (Failed(hr)) return hr;
  ChartInteraction ui(s.chart);
  ControlState state;
  hr = ApplyProperties(entries, s.chart, ui, &state);
  if (Failed(hr)) return hr;

  // What loaded saves again, and loads into a fresh chart as the same properties.
  const std::vector<SavedProperty> saved = CaptureProperties(s.chart, ui.settings(), state);
  const std::vector<std::uint8_t> again = EncodeProperties(saved);
  std::vector<SavedProperty> reread;
  if (DecodePropertyHeader(again.data(), &bodyLength) != kS_OK ||
      DecodePropertyBody(again.data() + kPropertyHeaderSize, bodyLength, &reread) != kS_OK)
    Fail("a stream the control wrote does not read back");
  CorvaneAutomation fresh(s.system);
  ChartInteraction freshUi(fresh);
  ControlState freshState;
  if (ApplyProperties(reread, fresh, freshUi, &freshState) != kS_OK)
    Fail("a stream the control wrote does not load");
  if (!SameProperties(CaptureProperties(fresh, freshUi.settings(), freshState), saved))
    Fail("saving and loading changed a property");
  return kS_OK;
}

}  // namespace corvane::fuzz
