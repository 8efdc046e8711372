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
  // Draws `text` with its top-left corner at (x, y); nothing for an empty text.
  virtual void Draw(std::int32_t x, std::int32_t y, DeviceContext& dc);
  // Extent of `text` in the label's own font.
  TextSize Measure(DeviceContext& dc) const;
  // Samples up to 200 random pixels of the text rectangle at (x, y); false when one differs
  // in brightness from the top-left pixel by more than 3 * contrastThreshold.
  bool IsBackgroundUniform(std::int32_t x, std::int32_t y, DeviceContext& dc) const;
  FontRequest Font() const { return FontRequest{height, weight, italic != 0, underline != 0}; }

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
