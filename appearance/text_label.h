// CTextLabel: every text the chart draws (caption, axis captions, grid values, marks, legend).
// CPointLabel places its text around an anchor and can mark the anchor with a square dot.
#pragma once
#include <cstdint>
#include <string>

#include "platform/dc.h"

namespace corvane {

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
  // Extent of `text` in the label's own font.
  TextSize Measure(DeviceContext& dc) const;
  // Samples up to 200 random pixels of the text rectangle at (x, y) with the font selected in
  // dc, drawing x then y of each sample from the thread's random sequence; false at the first
  // sample that differs in R+G+B from the top-left pixel by more than 3 * contrastThreshold,
  // or that lies outside the picture or its clip (as does an outside top-left pixel).
  bool IsBackgroundUniform(std::int32_t x, std::int32_t y, DeviceContext& dc) const;
  FontRequest Font() const { return FontRequest{height, weight, italic != 0, underline != 0}; }
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
};

// Draw(x, y) stores the anchor, marks it with a dot (a FillRect of side 2 * dotRadius, a
// single pixel for a radius <= 0; drawn even for an empty text) and writes the text at one of
// nine placements around it (7 pixels away; any other placement: at the picture's (0, 0)).
class CPointLabel : public CTextLabel {
 public:
  void Draw(std::int32_t x, std::int32_t y, DeviceContext& dc) override;

  std::int32_t anchorX = 0;
  std::int32_t anchorY = 0;
  std::int32_t dotRadius = 3;
  std::uint8_t showDot = 1;
  std::int32_t placement = 4;
  Color dotColor = 0x000000;
};

}  // namespace corvane
