// CTextLabel: every text the chart draws (caption, axis captions, grid values, marks, legend).
// CPointLabel places its text around an anchor and can mark the anchor with a square dot.
#pragma once
#include <cstdint>
#include <string>

#include "platform/dc.h"
#include "platform/pixel_scale.h"

namespace corvane {

// Selects a font made from a label's request into dc for its own lifetime, then selects the
// previous font back and deletes it; a font that cannot be created leaves the context's font
// in effect. Labels of one font drawn in a row can share one selection.
class LabelFont {
 public:
  LabelFont(DeviceContext& dc, const FontRequest& request);
  LabelFont(const LabelFont&) = delete;
  LabelFont& operator=(const LabelFont&) = delete;
  ~LabelFont();
  // Whether the font was made and selected (a context short of memory may refuse it).
  bool selected() const { return selected_; }

 private:
  DeviceContext& dc_;
  ObjHandle font_;
  ObjHandle previous_ = kNoObject;
  bool selected_ = false;
};

class CTextLabel {
 public:
  CTextLabel() = default;
  // Labels live in growable arrays (marks): moving must not allocate or throw.
  CTextLabel(const CTextLabel&) = default;
  CTextLabel(CTextLabel&&) noexcept = default;
  CTextLabel& operator=(const CTextLabel&) = default;
  CTextLabel& operator=(CTextLabel&&) noexcept = default;
  virtual ~CTextLabel() = default;
  // Draws `text` with its top-left corner at (x, y) in textColor on a transparent
  // background, over a box when noBox is 0; with checkBackground only where
  // IsBackgroundUniform holds (the box stays either way). Nothing at all for an empty text.
  // The context's font, text colour and background mode are restored.
  virtual void Draw(std::int32_t x, std::int32_t y, DeviceContext& dc);
  // Draw with the label's font already selected in dc (a LabelFont of Font()), which stays.
  void DrawInSelectedFont(std::int32_t x, std::int32_t y, DeviceContext& dc);
  // Extent of `text` in the label's own font; the second form with that font selected.
  TextSize Measure(DeviceContext& dc) const;
  TextSize MeasureInSelectedFont(DeviceContext& dc) const;
  // Samples up to 200 random pixels of the text rectangle at (x, y) with the font selected in
  // dc, drawing x then y of each sample from the thread's random sequence; false at the first
  // sample that differs in R+G+B from the top-left pixel by more than 3 * contrastThreshold,
  // or that lies outside the picture or its clip (as does an outside top-left pixel).
  bool IsBackgroundUniform(std::int32_t x, std::int32_t y, DeviceContext& dc) const;
  // The font at the chart's pixel scale: the height grows with it.
  FontRequest Font() const {
    return FontRequest{scale(height), weight, italic != 0, underline != 0};
  }
  // Length of `text` as the text calls take it (a string past 2^31 - 1 bytes is cut there).
  std::int32_t TextLength() const;

  std::int32_t weight = 400;
  Color boxColor = 0xCCFFFF;
  std::int32_t contrastThreshold = 25;
  Color textColor = 0x000000;
  std::string text = "Test_string";
  std::int32_t height = 16;
  std::uint8_t italic = 0;
  std::uint8_t underline = 0;
  std::uint8_t noBox = 1;
  std::uint8_t checkBackground = 0;
  // The chart's pixel scale: font height, box frame and the gaps around anchors.
  PixelScale scale;
};

// Draw(x, y) stores the anchor, marks it with a dot (a FillRect of side 2 * dotRadius, a
// single pixel for a radius <= 0; drawn even for an empty text) and writes the text at one of
// nine placements around it (7 pixels away; any other placement: at the picture's (0, 0)).
class CPointLabel : public CTextLabel {
 public:
  // The gap between anchor and text, at pixel scale 1.
  static constexpr std::int32_t kGap = 7;
  void Draw(std::int32_t x, std::int32_t y, DeviceContext& dc) override;
  // Draw with the label's font already selected in dc (a LabelFont of Font()), which stays.
  void PlaceInSelectedFont(std::int32_t x, std::int32_t y, DeviceContext& dc);

  std::int32_t anchorX = 0;
  std::int32_t anchorY = 0;
  std::int32_t dotRadius = 3;
  std::uint8_t showDot = 1;
  std::int32_t placement = 4;
  Color dotColor = 0x000000;
};

}  // namespace corvane
