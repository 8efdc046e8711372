// Paints the whole picture before anything else: solid colour, vertical gradient, or a
// 40 x 40 noise tile made afresh at every paint from the chart's random sequence.
#pragma once
#include <cstdint>

#include "platform/dc.h"

namespace corvane {

class CBackgroundPainter {
 public:
  virtual ~CBackgroundPainter() = default;
  virtual void PaintBackground(DeviceContext& dc);
  // Whether painting a picture of w x h sets every pixel: the solid fill does; the gradient
  // leaves the last column as it was, and a picture of one row or column gets no background.
  bool PaintsEveryPixel(std::int32_t w, std::int32_t h) const {
    return fillKind != 1 && fillKind != 2 && w > 1 && h > 1 && w == pictureWidth &&
           h == pictureHeight;
  }

  OwnedObject textureBitmap;  // the tile of the last texture paint
  std::int32_t fillLeft = 0, fillTop = 0;
  std::int32_t pictureWidth = 0, pictureHeight = 0;
  Color firstColor = 0xFFFFFF;
  Color secondColor = 0xA0A0A0;
  std::int32_t fillKind = 0;  // 0 solid, 1 vertical gradient, 2 texture, other: solid
  std::int32_t textureDarkens = 1;
  std::int32_t noiseAmplitude = 25;
  double fillOpacity = 1.0;

 private:
  void PaintSolid(DeviceContext& dc);
  void PaintGradient(DeviceContext& dc);
  void PaintTexture(DeviceContext& dc);
};

}  // namespace corvane
