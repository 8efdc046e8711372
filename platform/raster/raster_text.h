// Text of the raster layer: "Arial" through fontconfig and FreeType with GDI's metrics.
// A positive height is the cell height (ascent + descent), a negative one the em height,
// 0 the default 16-pixel cell. Extents are sums of the integer hinted advances, as
// GetTextExtentPoint32 reports them; TextOut puts the cell's top-left corner at (x, y).
// Strings are UTF-8; invalid bytes show as U+FFFD, characters the font lacks as its
// notdef glyph. Faces and rendered glyphs are cached per process, so a RasterFont is
// cheap to create for one measurement or one drawing call, and fonts may be used from
// several threads.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/dc.h"
#include "platform/geometry.h"
#include "platform/raster/raster_canvas.h"

namespace corvane {

// A font's metrics in pixels, as GetTextMetrics/GetOutlineTextMetrics give them.
struct RasterFontMetrics {
  std::int32_t ascent = 0;
  std::int32_t descent = 0;
  std::int32_t height = 0;  // ascent + descent: the cell height
  std::int32_t internal_leading = 0;
  std::int32_t ppem = 0;
  std::int32_t underline_position = 0;  // of the line's centre above the baseline (+ up)
  std::int32_t underline_thickness = 0;
};

// The largest cell or em height honoured; larger requests are drawn at this size.
constexpr std::int32_t kMaxFontPixels = 2000;

namespace text_detail {
struct FaceEntry;
}

class RasterFont {
 public:
  // Never fails: when no face can be found the font measures 0 and draws nothing.
  explicit RasterFont(const FontRequest& request);
  static std::unique_ptr<RasterFont> Create(const FontRequest& request) {
    return std::make_unique<RasterFont>(request);
  }

  bool valid() const { return face_ != nullptr; }
  const FontRequest& request() const { return request_; }
  const RasterFontMetrics& metrics() const { return metrics_; }
  // Whether glyphs are drawn antialiased at this size (the face's gasp table decides).
  bool antialiased() const { return antialiased_; }

  // GetTextExtentPoint32A: cx = sum of advances, cy = cell height; (0, 0) for no text
  // (a null pointer or a length <= 0).
  TextSize Measure(const char* utf8, std::int32_t len) const;

  // TextOutA with (x, y) the top-left of the cell. With kOpaque the cell box
  // (x, y, x + extent, y + cell height) is first filled with bk_color. Underline and
  // glyphs use text_color; the canvas applies the clip.
  void Draw(RasterCanvas& canvas, std::int32_t x, std::int32_t y, const char* utf8,
            std::int32_t len, Color text_color, int bk_mode, Color bk_color) const;

 private:
  FontRequest request_;
  RasterFontMetrics metrics_;
  text_detail::FaceEntry* face_ = nullptr;  // process-lifetime cache entry, never freed
  bool antialiased_ = false;
};

}  // namespace corvane
