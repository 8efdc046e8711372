// PolylineStroker: draws a stream of points as chains of solid segments p0-p1, p1-p2, ...
// (Break ends one chain and starts the next) with one pen and one clip for all of them,
// leaving every pixel as one CLineStyle::DrawLineClipped per segment would. Segments that cannot reach the clip are left
// out; the rest go out as Polyline runs. In dense chains (several points per pixel column)
// segments already drawn are left out too, and a wide pen's steps up and down one pixel
// column collapse to the column's extremes: every disc along the way lies inside the body
// between them and the discs at its ends.
#pragma once
#include <cstdint>
#include <vector>

#include "overlays/line_style.h"
#include "platform/dc.h"
#include "platform/geometry.h"

namespace corvane {

// The Polyline runs one chain comes to, kept to be drawn later: a chain can be worked out on
// a thread that must not touch the device context, then drawn on the one that may.
struct StrokeRecording {
  std::vector<IPoint> points;
  std::vector<std::int32_t> runs;  // points per Polyline call, in order
  void Clear() {
    points.clear();
    runs.clear();
  }
};

class PolylineStroker {
 public:
  // Selects the clip and a solid pen of the style's width and colour, as DrawLineClipped
  // does. A disabled style makes the stroker inert: it touches nothing.
  PolylineStroker(const CLineStyle& style, const IRect& clip, DeviceContext& dc);
  // Touches no device context: the Polyline runs go into `out` (appended), as a stroker on
  // a context whose pen could be made would issue them. Throws std::bad_alloc when `out`
  // cannot grow; the recording is then incomplete and must not be replayed.
  PolylineStroker(const CLineStyle& style, const IRect& clip, StrokeRecording& out);
  ~PolylineStroker();
  PolylineStroker(const PolylineStroker&) = delete;
  PolylineStroker& operator=(const PolylineStroker&) = delete;

  void Add(IPoint p);
  // Adds n pixels in order, as n Add calls would.
  void AddPixels(const IPoint* p, std::int32_t n);
  // Adds the pixels of n unrounded device positions, each truncated as TruncToInt32 does.
  void AddTruncated(const DPoint* d, std::int32_t n);
  // Ends the current chain: the next point starts a new one, with no segment to it.
  void Break();
  // Says how many points the chains will get in all, so that AddPixels can choose between
  // its dense and its sparse loop once for all of them.
  void ExpectPoints(std::int64_t n);
  // The columns beyond which a segment's pixels cannot reach into the clip: a segment with
  // both ends left of reachLeft() (or right of reachRight()) draws nothing.
  std::int64_t reachLeft() const { return reachLeft_; }
  std::int64_t reachRight() const { return reachRight_; }
  // Issues the runs of a recording made with the same style and clip, as if its points had
  // been added here. Nothing for a stroker whose pen could not be made.
  void Replay(const StrokeRecording& recording);
  // Draws what is pending and restores the pen and the clip; the destructor calls it on a
  // device context. A recording is complete only once Finish has returned.
  void Finish();

 private:
  // Points per Polyline call. GDI strokes a wide-pen polyline as one outline whose cost grows
  // faster than its length; short runs keep it linear at little cost per call.
  static constexpr int kRunCapacity = 16;
  // The table of drawn segments starts small, so that short chains do not pay for clearing
  // the large one, and grows once a chain is long.
  static constexpr int kCacheBits = 12;
  static constexpr int kFirstCacheBits = 8;

  void SetReach(const IRect& clip, std::int32_t width);
  void Emit(const IPoint* points, std::int32_t n);
  void AddDense(const IPoint* p, std::int32_t n);
  void AddSparse(const IPoint* p, std::int32_t n);
  void EndChain();
  void Step(IPoint p);
  void CloseColumn();
  void Segment(IPoint a, IPoint b);
  void Append(IPoint a, IPoint b);
  void Flush();
  bool Culled(IPoint a, IPoint b) const;
  bool AlreadyDrawn(IPoint a, IPoint b);
  void GrowCache();

  DeviceContext* dc_ = nullptr;
  StrokeRecording* recording_ = nullptr;  // set instead of dc_
  bool active_ = false;
  bool drawing_ = false;  // a pen could be created
  ObjHandle clipRgn_ = kNoObject;
  ObjHandle savedRgn_ = kNoObject;
  ObjHandle pen_ = kNoObject;
  ObjHandle oldPen_ = kNoObject;
  // The clip box grown by the pen's reach; a segment wholly on the far side of one of its
  // edges leaves no pixel inside the clip.
  std::int64_t reachLeft_ = 0, reachTop_ = 0, reachRight_ = 0, reachBottom_ = 0;
  std::int64_t clipWidth_ = 0;

  IPoint first_{0, 0};
  IPoint prev_{0, 0};
  std::int64_t added_ = 0;  // points of the current chain
  bool sawDistinct_ = false;
  int density_ = 0;  // 1: dense, -1: sparse, 0: decided per AddPixels call

  // Steps within one column since the chain entered it at (prev_.x, columnEntry_).
  bool collapseColumns_ = false;  // wide pens only: a cosmetic line leaves its end pixels out
  bool inColumn_ = false;
  std::int32_t columnEntry_ = 0, columnLow_ = 0, columnHigh_ = 0;

  IPoint run_[kRunCapacity];
  std::int32_t runCount_ = 0;
  int cacheBits_ = kFirstCacheBits;
  std::uint64_t drawn_[1u << kCacheBits];
};

}  // namespace corvane
