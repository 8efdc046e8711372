#include "tests/fuzz/fuzz_render_calls.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

#include "tests/fuzz/fuzz_args.h"

namespace corvane::fuzz {
namespace {

constexpr std::uint8_t kCanary = 0xA5;

// Spends one render of the session; false when none is left (the call is then skipped).
bool TakeRender(Session& s) {
  if (s.rendersLeft <= 0) return false;
  --s.rendersLeft;
  return true;
}

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

// Counts: up to 64 real values, a generated array of tens of thousands, or counts no
// caller's array can back (beyond what a plot
// may hold, up to SIZE_MAX) with a small array or none: those must be refused unread.
struct Points {
  std::vector<double> x, y;
  std::size_t count = 0;
  bool nullX = false, nullY = false;
};

Points PointsOf(Reader& in, bool withX) {
  Points p;
  const std::uint8_t c = in.Byte();
  const std::uint8_t flags = in.Byte();
  p.nullX = withX && (flags & 1) != 0;
  p.nullY = (flags & 2) != 0;
  if (c >= 0xF8) {
    static const std::size_t kHuge[] = {std::numeric_limits<std::size_t>::max(),
                                        std::size_t{1} << 30 | 1, std::size_t{1} << 31,
                                        (std::size_t{1} << 32) + 1, std::size_t{1} << 63,
                                        std::numeric_limits<std::size_t>::max() / 8 + 1,
                                        std::numeric_limits<std::size_t>::max() / 16,
                                        std::size_t{0x80000000u} - 1};
    p.count = kHuge[c - 0xF8];
    p.x.assign(1, 1.0);
    p.y.assign(1, 1.0);
    return p;
  }
  if (c == 0xF7) {
    // Tens of thousands of points, enough for the large-block storage of point arrays: a
    // random walk from the input's seed (X the point numbers).
    p.count = 16384 + in.U16();
    // Sized up front: growing these one point at a time was an eighth of a long run.
    p.y.resize(p.count);
    if (withX) p.x.resize(p.count);
    std::uint32_t state = in.U32();
    double v = 0;
    for (std::size_t i = 0; i < p.count; ++i) {
      state = state * 1664525u + 1013904223u;
      v += static_cast<double>(state >> 8) / 8388608.0 - 1.0;
      if (withX) p.x[i] = static_cast<double>(i + 1);
      p.y[i] = v;
    }
    return p;
  }
  const std::size_t n = c % 65;
  for (std::size_t i = 0; i < n; ++i) {
    if (withX) p.x.push_back(in.Real());
    p.y.push_back(in.Real());
  }
  p.count = n;
  return p;
}

}  // namespace

std::u16string FileNameOf(Reader& in, const Session& s, bool* isNull) {
  *isNull = false;
  const std::u16string dir(s.dir.begin(), s.dir.end());
  switch (in.Below(12)) {
    case 0: return dir + u"/chart.bmp";
    case 1: return dir + u"/";
    case 2: return dir + u"/missing/chart.bmp";
    case 3: *isNull = true; return std::u16string();
    case 4: return std::u16string();
    // The directory's fixed entries: a directory, a link to chart.bmp, a loop of links.
    case 5: return dir + u"/sub";
    case 6: return dir + u"/link.bmp";
    case 7: return dir + u"/loop.bmp";
    case 8: return dir + u"/" + std::u16string(300, u'n') + u".bmp";  // over NAME_MAX
    default: {
      bool textNull = false;
      std::u16string t = in.Text(&textNull);
      for (char16_t& c : t) {
        if (c == u'/') c = u'_';
      }
      return dir + u"/" + t;
    }
  }
}

HResult SaveToFileCall(Reader& in, Session& s) {
  bool isNull = false;
  const std::u16string name = FileNameOf(in, s, &isNull);
  if (!TakeRender(s)) return kS_OK;
  return s.chart.SaveToFile(isNull ? nullptr : name.data(), static_cast<std::uint32_t>(name.size()));
}

HResult SaveToPngCall(Reader& in, Session& s) {
  bool isNull = false;
  const std::u16string name = FileNameOf(in, s, &isNull);
  if (!TakeRender(s)) return kS_OK;
  return s.chart.SaveToPng(isNull ? nullptr : name.data(), static_cast<std::uint32_t>(name.size()));
}

HResult ShowCall(Reader&, Session& s) {
  if (!TakeRender(s)) return kS_OK;
  return s.chart.Show();
}

HResult GetPictureCall(Reader& in, Session& s) {
  const bool null = in.Below(8) == 0;
  if (!TakeRender(s)) return kS_OK;
  DibPicture picture;
  const HResult hr = s.chart.get_Picture(null ? nullptr : &picture);
  if (hr == kS_OK &&
      picture.bits.size() != static_cast<std::size_t>(BmpStride(picture.width)) * picture.height)
    Fail("get_Picture: rows and size disagree");
  return hr;
}

HResult DrawToCall(Reader& in, Session& s) {
  // Buffers up to 40 x 40 pixels, or sizes the member must refuse.
  const auto side = [&] {
    const std::uint8_t k = in.Byte();
    return k < 0xF0 ? static_cast<std::int32_t>(k % 41) : (k < 0xF8 ? -1 : INT32_MIN);
  };
  const std::int32_t w = side(), h = side();
  const std::uint8_t strideKind = in.Byte();
  const std::int32_t x = in.Int(), y = in.Int();
  const bool nullPixels = in.Below(16) == 0;
  std::ptrdiff_t stride = std::ptrdiff_t{4} * (w > 0 ? w : 0);
  switch (strideKind % 5) {
    case 1: stride += 4 * (strideKind / 5 % 8) + strideKind / 40; break;  // padded rows
    case 2: stride -= 1; break;                                        // a row too short
    case 3: stride = -stride; break;
    default: break;
  }
  if (!TakeRender(s)) return kS_OK;
  const bool valid = w > 0 && h > 0 && stride >= 4 * w;
  std::vector<std::uint8_t> buffer(valid ? static_cast<std::size_t>(stride) * h : 16, kCanary);
  std::int32_t chartW = 0, chartH = 0;
  s.chart.get_Width(&chartW);
  s.chart.get_Height(&chartH);
  const HResult hr = s.chart.DrawTo(nullPixels ? nullptr : buffer.data(), w, h, stride, x, y);
  if (!valid || hr != kS_OK) {
    for (std::uint8_t b : buffer)
      if (b != kCanary) Fail("DrawTo: a refused call wrote into the buffer");
    return hr;
  }
  // Only the chart's place in the buffer changes, and its pixels are opaque.
  for (std::int64_t row = 0; row < h; ++row) {
    for (std::int64_t byte = 0; byte < stride; ++byte) {
      const std::int64_t col = byte / 4;
      const bool inside = byte < 4 * std::int64_t{w} && col >= x && col < std::int64_t{x} + chartW &&
                          row >= y && row < std::int64_t{y} + chartH;
      const std::uint8_t v = buffer[static_cast<std::size_t>(row * stride + byte)];
      if (!inside && v != kCanary) Fail("DrawTo wrote outside the chart's place");
      if (inside && byte % 4 == 3 && v != 0xFF) Fail("DrawTo left a pixel that is not opaque");
    }
  }
  return hr;
}

HResult AddPointsToPlotCall(Reader& in, Session& s) {
  const std::int32_t plot = in.Int();
  const Points p = PointsOf(in, true);
  return s.chart.AddPointsToPlot(plot, p.nullX ? nullptr : p.x.data(),
                                 p.nullY ? nullptr : p.y.data(), p.count);
}

HResult AddPointsToPlot2Call(Reader& in, Session& s) {
  const std::int32_t plot = in.Int();
  const Points p = PointsOf(in, false);
  return s.chart.AddPointsToPlot2(plot, p.nullY ? nullptr : p.y.data(), p.count);
}

namespace {

// A capacity a caller could pass: none, a few points, a few thousand, any value.
std::int32_t CapacityOf(Reader& in) {
  const std::uint8_t k = in.Byte();
  if (k < 0x80) return k % 65;
  if (k < 0xF0) return (k - 0x80) * 97;
  return in.Int();
}

}  // namespace

HResult PutPlotCapacityCall(Reader& in, Session& s) {
  const std::int32_t plot = in.Int();
  return s.chart.put_PlotCapacity(plot, CapacityOf(in));
}

// One frame of a live display: a burst of numbered points (a walk with now and then a gap),
// then the window set to the newest of them.
HResult StreamCall(Reader& in, Session& s) {
  const std::int32_t plot = in.Int();
  const std::size_t n = 1 + std::size_t{in.Byte()} * 12;
  const double window = 1 + in.Byte() * 8.0;
  std::uint32_t state = in.U32();
  std::vector<double> y(n);
  double v = 0;
  for (double& out : y) {
    state = state * 1664525u + 1013904223u;
    v += static_cast<double>(state >> 16 & 0xFF) / 128.0 - 1.0;
    const std::uint32_t kind = (state >> 24) % 61;
    out = kind == 0 ? std::numeric_limits<double>::quiet_NaN() : kind == 1 ? HUGE_VAL : v;
  }
  const HResult hr = s.chart.AddPointsToPlot2(plot, y.data(), n);
  if (hr != kS_OK || plot < 1 || plot > CChartEngine::kMaxPlots) return hr;
  const CPlotSeries& p = s.chart.engine().plots[plot - 1];
  const double newest = p.KeptCount() > 0 ? p.PointAt(p.KeptCount() - 1).X : 0;
  return s.chart.SetSegment(newest - window, newest);
}

}  // namespace corvane::fuzz
