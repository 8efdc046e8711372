// One price interval: a wick from Low to High and a body between Open and Close, one world
// unit wide from X to X + 1.
#pragma once
#include <cstdint>

#include "platform/dc.h"
#include "platform/hit_geometry.h"
#include "platform/pixel_scale.h"

namespace corvane {

struct CCandleStick {
  // Wick, then body, with this record's window and plot-area copies; nothing for a window
  // that cannot be mapped (the zero copies of a candle added after the last layout) or a
  // NaN position. The caller sets the clip.
  void Draw(DeviceContext& dc) const;
  // Whether the wick (widened by half its pen) or the body, as Draw paints them within
  // `clip`, lies within probe.radius of the probe. The hit's x is the stick's X, its y the
  // world height of the nearest place on it.
  RecordHit HitTest(const HitProbe& probe, const IRect& clip) const;

  double High = 0, Low = 0, Open = 0, Close = 0, X = 0;
  double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
  AxisLogs logs;  // the layout's logarithmic axes
  std::int32_t left = 0, right = 0, top = 0, bottom = 0;
  Color fallColor = 0x0000FF;
  Color riseColor = 0x00FF00;
  std::uint8_t hasOutline = 1;
  Color wickColor = 0xFF0000;
  std::int32_t wickWidth = 1;
  std::int32_t wickStyle = 0;
  PixelScale scale;  // the layout's pixel scale: wick, outline and the body's insets
};

}  // namespace corvane
