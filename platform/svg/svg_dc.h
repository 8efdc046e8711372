// SvgDc: a DeviceContext that writes what is drawn on it as an SVG 1.1 document instead of
// pixels. Drawers cannot tell it from a pixel context: objects, selections, the clip and text
// measuring are kept by a shadow context of the system the chart is drawn with (a memory
// context with a bitmap of the picture's size selected), so the layout measures exactly what
// a picture of the chart would.
//
// How the calls become elements:
//   - lines and polylines of one pen under one clip merge into one <path> (relative
//     coordinates, through pixel centres); round caps and joins, a 1-pixel cosmetic pen is
//     stroke-width 1;
//   - a run of one-pixel rows of changing colour (a painted vertical gradient) becomes one
//     <rect> filled with a <linearGradient>;
//   - Rectangle, FillRect, the opaque text box and SetPixelV become <rect> (opaque ones of
//     one colour in a row one <path> of rectangles), Polygon a <path> with the even-odd rule;
//   - the clip is a stack of <g clip-path> groups, one <clipPath> per region shape;
//   - BitBlt and AlphaBlend read the source through GetPixel: one colour becomes a <rect>
//     (with fill-opacity for a blend), anything else an embedded PNG <image>; the same tile
//     copied onto a grid becomes one <rect> filled with a PNG <pattern>;
//   - text is a <text> element at the measured cell's baseline.
// Every drawing call also goes to the shadow, so GetPixel reads what a picture would hold
// (labels that look at their background decide as on the picture).
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/dc.h"
#include "platform/svg/svg_geometry.h"

namespace corvane {

// Encodes a 24-bit bottom-up DIB (rows of (3 * w + 3) & ~3 bytes, B, G, R) as PNG file bytes.
using SvgPngEncoder =
    std::function<bool(std::int32_t w, std::int32_t h, const std::uint8_t* dib, std::vector<std::uint8_t>* png)>;

class SvgDc : public DeviceContext {
 public:
  // `shadow` must outlive this context; `encoder` may be empty (images are then left out and
  // the copies report failure).
  SvgDc(DeviceContext& shadow, std::int32_t width, std::int32_t height, SvgPngEncoder encoder);
  ~SvgDc() override;
  SvgDc(const SvgDc&) = delete;
  SvgDc& operator=(const SvgDc&) = delete;

  // Completes the document and moves it out; false when memory ran short while drawing (the
  // document would be incomplete). The context draws nothing more afterwards.
  bool Finish(std::string* document);

  GraphicsSystem& System() override;

  ObjHandle CreatePen(std::int32_t width, Color color) override;
  ObjHandle CreateSolidBrush(Color color) override;
  ObjHandle CreateFontA(const FontRequest& request) override;
  ObjHandle GetStockNullPen() override;
  ObjHandle CreateRectRgn(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) override;
  ObjHandle CreatePolygonRgn(const IPoint* pts, std::int32_t n) override;
  ObjHandle CreateCompatibleBitmap(std::int32_t w, std::int32_t h) override;
  ObjHandle CreateDIBSection24(std::int32_t w, std::int32_t h, void** bits) override;
  ObjHandle SelectObject(ObjHandle obj) override;
  ObjHandle GetCurrentBitmap() override;
  bool DeleteObject(ObjHandle obj) override;

  int SelectClipRgn(ObjHandle rgn) override;
  int ExtSelectClipRgnAnd(ObjHandle rgn) override;
  int GetClipBox(IRect* box) override;

  bool MoveToEx(std::int32_t x, std::int32_t y) override;
  bool LineTo(std::int32_t x, std::int32_t y) override;
  bool Polyline(const IPoint* pts, std::int32_t n) override;
  bool Polygon(const IPoint* pts, std::int32_t n) override;
  bool Rectangle(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) override;
  bool FillRect(const IRect& rc, ObjHandle brush) override;
  bool SetPixelV(std::int32_t x, std::int32_t y, Color c) override;
  Color GetPixel(std::int32_t x, std::int32_t y) override;

  bool ExtTextOutOpaque(const IRect& rc) override;
  bool TextOutA(std::int32_t x, std::int32_t y, const char* text, std::int32_t len) override;
  bool GetTextExtentPoint32A(const char* text, std::int32_t len, TextSize* size) override;
  Color SetTextColor(Color c) override;
  Color GetTextColor() override;
  Color SetBkColor(Color c) override;
  Color GetBkColor() override;
  int SetBkMode(int mode) override;
  int GetBkMode() override;

  bool BitBlt(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, DeviceContext& src,
              std::int32_t sx, std::int32_t sy) override;
  bool AlphaBlend(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, DeviceContext& src,
                  std::int32_t sx, std::int32_t sy, std::int32_t sw, std::int32_t sh,
                  std::uint8_t alpha) override;

 private:
  struct PenInfo {
    std::int32_t width = 1;
    Color color = 0;
    bool null = false;
  };
  // Source pixels of a copy, rows top to bottom.
  struct Pixels {
    std::int32_t w = 0, h = 0;
    std::vector<Color> colors;
    bool Uniform() const;
  };

  template <typename Remember>
  ObjHandle Made(ObjHandle h, Remember&& remember);
  const PenInfo& Pen() const;
  bool Drawable() const { return !finished_ && !failed_ && !clip_empty_; }
  // Adds a stroked segment chain (n >= 2 points) with the selected pen.
  void StrokeChain(const IPoint* pts, std::int32_t n);
  // Everything pending is written out before an element that is not part of it.
  void FlushPath();
  void FlushRows();
  void FlushTiles();
  void FlushRects();
  void FlushAll();
  // Opens the clip groups of the current clip (closing those that differ).
  void EnterClip();
  void CloseGroups(std::size_t keep);
  int ClipIdFor(const std::string& shape);
  std::string ClipBoxShape();
  void EmitRect(std::int64_t l, std::int64_t t, std::int64_t w, std::int64_t h, Color fill,
                double opacity = 1.0);
  void EmitRowGradient();
  bool ReadPixels(DeviceContext& src, std::int32_t sx, std::int32_t sy, std::int32_t w,
                  std::int32_t h, Pixels* out);
  // The PNG of the pixels as a data URI ("" when it cannot be encoded).
  std::string DataUri(const Pixels& px);
  void EmitImage(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, const Pixels& px,
                 double opacity);
  void Fail() { failed_ = true; }

  DeviceContext& shadow_;
  const std::int32_t width_, height_;
  const SvgBox box_;  // what is written is cut to this
  SvgPngEncoder encoder_;
  std::string out_;
  bool finished_ = false;
  bool failed_ = false;

  // What the handles made through this context stand for.
  std::unordered_map<ObjHandle, PenInfo> pens_;
  std::unordered_map<ObjHandle, Color> brushes_;
  std::unordered_map<ObjHandle, FontRequest> fonts_;
  std::unordered_map<ObjHandle, std::string> regions_;  // the shape as clip markup
  ObjHandle pen_ = kNoObject, brush_ = kNoObject, font_ = kNoObject;

  IPoint pos_{0, 0};
  Color text_color_ = 0x000000;
  Color bk_color_ = 0xFFFFFF;
  int bk_mode_ = kOpaque;

  // The clip: the intersection of these clip paths (none: no clip).
  std::vector<int> clip_;
  bool clip_empty_ = false;
  std::vector<int> open_;  // clip groups open in the document
  std::map<std::string, int> clip_ids_;
  int next_id_ = 1;

  // The path being collected.
  struct PendingPath {
    bool active = false;
    PenInfo pen;
    std::vector<int> clip;
    std::string d;
    IPoint from{0, 0}, last{0, 0};  // the last segment
    bool has_last = false;
    bool in_line = false;  // the data ends in a run of 'l' pairs
    std::int64_t segments = 0;
  } path_;
  // The stack of one-pixel rows being collected.
  struct PendingRows {
    std::vector<int> clip;
    std::int32_t x0 = 0, x1 = 0, top = 0;
    std::vector<Color> colors;
    std::string single;  // the first row's path data, for a stack of one
  } rows_;
  // The tiles being collected: one image copied to positions on its own grid.
  struct PendingTiles {
    std::vector<int> clip;
    Pixels pixels;
    std::vector<IPoint> at;
  } tiles_;
  std::string tile_uri_;  // the tiles' PNG, encoded once
  // Opaque rectangles of one colour being collected.
  struct RectAt {
    std::int64_t x, y, w, h;
  };
  struct PendingRects {
    std::vector<int> clip;
    Color color = 0;
    std::vector<RectAt> at;
  } rects_;
};

}  // namespace corvane
