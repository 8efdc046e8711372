#include "overlays/polyline_stroker.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define CORVANE_STROKER_SSE2 1
#endif

namespace corvane {

namespace {

bool Fits16(std::int32_t v) { return v >= -32768 && v <= 32767; }

bool Same(IPoint a, IPoint b) { return a.x == b.x && a.y == b.y; }

}  // namespace

PolylineStroker::PolylineStroker(const CLineStyle& style, const IRect& clip, DeviceContext& dc)
    : dc_(&dc) {
  if (!style.enabled) return;
  active_ = true;
  IRect saved{};
  dc.GetClipBox(&saved);
  clipRgn_ = dc.CreateRectRgn(clip.left, clip.top, clip.right, clip.bottom);
  savedRgn_ = dc.CreateRectRgn(saved.left, saved.top, saved.right, saved.bottom);
  dc.SelectClipRgn(clipRgn_);
  const std::int32_t width = style.PenWidth();
  pen_ = dc.CreatePen(width, style.color);
  if (pen_) {
    drawing_ = true;
    oldPen_ = dc.SelectObject(pen_);
  }
  SetReach(clip, width);
}

PolylineStroker::PolylineStroker(const CLineStyle& style, const IRect& clip, StrokeRecording& out)
    : recording_(&out) {
  if (!style.enabled) return;
  active_ = drawing_ = true;
  SetReach(clip, style.PenWidth());
}

void PolylineStroker::SetReach(const IRect& clip, std::int32_t width) {
  collapseColumns_ = width >= 2;
  // Regions take their corners in either order; the pen reaches half its width beyond the
  // line, plus a pixel of rounding -- the margin here is generous on purpose.
  const std::int64_t reach = width + 2;
  reachLeft_ = std::min<std::int64_t>(clip.left, clip.right) - reach;
  reachRight_ = std::max<std::int64_t>(clip.left, clip.right) - 1 + reach;
  reachTop_ = std::min<std::int64_t>(clip.top, clip.bottom) - reach;
  reachBottom_ = std::max<std::int64_t>(clip.top, clip.bottom) - 1 + reach;
  clipWidth_ = reachRight_ - reachLeft_;
  std::memset(drawn_, 0xFF, sizeof(drawn_[0]) << kFirstCacheBits);
}

void PolylineStroker::Emit(const IPoint* points, std::int32_t n) {
  if (dc_) {
    dc_->Polyline(points, n);
    return;
  }
  recording_->points.insert(recording_->points.end(), points, points + n);
  recording_->runs.push_back(n);
}

void PolylineStroker::Replay(const StrokeRecording& recording) {
  if (!drawing_ || !dc_) return;
  const IPoint* p = recording.points.data();
  const std::size_t total = recording.points.size();
  std::size_t used = 0;
  for (const std::int32_t n : recording.runs) {
    if (n <= 0 || total - used < static_cast<std::size_t>(n)) return;  // not a whole recording
    dc_->Polyline(p + used, n);
    used += static_cast<std::size_t>(n);
  }
}

// A recording stroker is finished by its owner: finishing may throw, and a destructor must
// not (an unfinished recording is dropped anyway).
PolylineStroker::~PolylineStroker() {
  if (dc_) Finish();
}

void PolylineStroker::Add(IPoint p) {
  if (!drawing_) return;
  if (added_++ == 0) {
    first_ = prev_ = p;
    return;
  }
  if (added_ == (std::int64_t{1} << kFirstCacheBits)) GrowCache();
  Step(p);
}

inline void PolylineStroker::Append(IPoint a, IPoint b) {
  if (runCount_ == 0) run_[runCount_++] = a;
  run_[runCount_++] = b;
  if (runCount_ == kRunCapacity) {
    Emit(run_, runCount_);
    run_[0] = run_[runCount_ - 1];
    runCount_ = 1;
  }
}

// A zero-length piece adds nothing: its pixels are those the neighbouring segment leaves at
// the shared end point (or none at all for a 1-pixel pen).
inline void PolylineStroker::Step(IPoint p) {
  if (Same(p, prev_)) return;
  sawDistinct_ = true;
  if (collapseColumns_ && p.x == prev_.x) {
    if (!inColumn_) {
      inColumn_ = true;
      columnEntry_ = columnLow_ = columnHigh_ = prev_.y;
    }
    columnLow_ = std::min(columnLow_, p.y);
    columnHigh_ = std::max(columnHigh_, p.y);
    prev_ = p;
    return;
  }
  if (inColumn_) CloseColumn();
  Segment(prev_, p);
  prev_ = p;
}

// The column's pixels are those of entry -> low -> high -> exit, in any order of visits.
void PolylineStroker::CloseColumn() {
  inColumn_ = false;
  const std::int32_t x = prev_.x;
  const std::int32_t stops[4] = {columnEntry_, columnLow_, columnHigh_, prev_.y};
  for (int k = 0; k + 1 < 4; ++k)
    if (stops[k] != stops[k + 1]) Segment(IPoint{x, stops[k]}, IPoint{x, stops[k + 1]});
}

namespace {

inline IPoint Truncated(const DPoint& d) {
#if CORVANE_STROKER_SSE2
  IPoint p;
  _mm_storel_epi64(reinterpret_cast<__m128i*>(&p), _mm_cvttpd_epi32(_mm_loadu_pd(&d.X)));
  // The hardware answers INT32_MIN for NaN and out-of-range values; those saturate instead.
  if (p.x == INT32_MIN) p.x = TruncToInt32(d.X);
  if (p.y == INT32_MIN) p.y = TruncToInt32(d.Y);
  return p;
#else
  return IPoint{TruncToInt32(d.X), TruncToInt32(d.Y)};
#endif
}

}  // namespace

void PolylineStroker::AddTruncated(const DPoint* d, std::int32_t n) {
  if (!drawing_ || n <= 0) return;
  const int chosen = density_;
  if (chosen == 0) ExpectPoints(n);
  IPoint pixels[256];
  for (std::int32_t k = 0; k < n; k += 256) {
    const std::int32_t m = n - k < 256 ? n - k : 256;
    for (std::int32_t i = 0; i < m; ++i) pixels[i] = Truncated(d[k + i]);
    AddPixels(pixels, m);
  }
  density_ = chosen;
}

void PolylineStroker::ExpectPoints(std::int64_t n) {
  density_ = n / 4 > clipWidth_ ? 1 : -1;
}

void PolylineStroker::AddPixels(const IPoint* p, std::int32_t n) {
  if (!drawing_ || n <= 0) return;
  std::int32_t k = 0;
  if (added_ == 0) {
    Add(p[0]);
    k = 1;
  }
  added_ += n - k;
  // Collapsing columns and remembering drawn segments pay off only when several points share
  // a pixel column; for sparser data their tests cost more than the drawing they save.
  const bool dense = density_ != 0 ? density_ > 0 : n / 4 > clipWidth_;
  if (dense) {
    if (added_ >= (std::int64_t{1} << kFirstCacheBits)) GrowCache();
    AddDense(p + k, n - k);
  } else {
    if (inColumn_) CloseColumn();
    AddSparse(p + k, n - k);
  }
}

// Dense data lands on the previous pixel most of the time: that test, on a register copy,
// is the whole loop for most points.
void PolylineStroker::AddDense(const IPoint* p, std::int32_t n) {
  IPoint prev = prev_;
  for (std::int32_t k = 0; k < n; ++k) {
    if (Same(p[k], prev)) continue;
    Step(p[k]);
    prev = p[k];
  }
}

void PolylineStroker::AddSparse(const IPoint* p, std::int32_t n) {
  IPoint prev = prev_;
  for (std::int32_t k = 0; k < n; ++k) {
    if (Same(p[k], prev)) continue;
    sawDistinct_ = true;
    if (Culled(prev, p[k]))
      Flush();
    else
      Append(prev, p[k]);
    prev = p[k];
  }
  prev_ = prev;
}

// A chain that never moves is one zero-length segment: whatever the pen leaves there.
void PolylineStroker::EndChain() {
  if (inColumn_) CloseColumn();
  if (added_ >= 2 && !sawDistinct_ && !Culled(first_, first_)) {
    run_[0] = run_[1] = first_;
    runCount_ = 2;
  }
  Flush();
  added_ = 0;
  sawDistinct_ = false;
}

void PolylineStroker::Break() {
  if (drawing_) EndChain();
}

void PolylineStroker::Finish() {
  if (!active_) return;
  if (drawing_) {
    EndChain();
    if (dc_) {
      dc_->SelectObject(oldPen_);
      dc_->DeleteObject(pen_);
    }
  }
  if (dc_) {
    dc_->SelectClipRgn(savedRgn_);
    if (clipRgn_) dc_->DeleteObject(clipRgn_);
    if (savedRgn_) dc_->DeleteObject(savedRgn_);
  }
  active_ = drawing_ = false;
}

bool PolylineStroker::Culled(IPoint a, IPoint b) const {
  return (a.x < reachLeft_ && b.x < reachLeft_) || (a.x > reachRight_ && b.x > reachRight_) ||
         (a.y < reachTop_ && b.y < reachTop_) || (a.y > reachBottom_ && b.y > reachBottom_);
}

// A solid opaque pen leaves the same pixels however often a segment is repeated, so a
// segment seen before in this chain (same direction: the end pixel rule is not symmetric)
// need not be drawn again. A small direct-mapped table remembers recent ones.
bool PolylineStroker::AlreadyDrawn(IPoint a, IPoint b) {
  if (!Fits16(a.x) || !Fits16(a.y) || !Fits16(b.x) || !Fits16(b.y)) return false;
  const std::uint64_t key = (static_cast<std::uint64_t>(static_cast<std::uint16_t>(a.x)) << 48) |
                            (static_cast<std::uint64_t>(static_cast<std::uint16_t>(a.y)) << 32) |
                            (static_cast<std::uint64_t>(static_cast<std::uint16_t>(b.x)) << 16) |
                            static_cast<std::uint64_t>(static_cast<std::uint16_t>(b.y));
  std::uint64_t& slot = drawn_[(key * 0x9E3779B97F4A7C15ull) >> (64 - cacheBits_)];
  if (slot == key) return true;
  slot = key;
  return false;
}

// Keys already in the small table sit where the large one would not look for them: at worst
// such a segment is drawn once more.
void PolylineStroker::GrowCache() {
  if (cacheBits_ == kCacheBits) return;
  std::memset(drawn_ + (std::size_t{1} << cacheBits_), 0xFF,
              sizeof(drawn_[0]) * ((std::size_t{1} << kCacheBits) - (std::size_t{1} << cacheBits_)));
  cacheBits_ = kCacheBits;
}

void PolylineStroker::Segment(IPoint a, IPoint b) {
  if (Culled(a, b) || AlreadyDrawn(a, b)) {
    Flush();
    return;
  }
  Append(a, b);
}

void PolylineStroker::Flush() {
  if (runCount_ >= 2) Emit(run_, runCount_);
  runCount_ = 0;
}

}  // namespace corvane
