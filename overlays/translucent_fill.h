// The two ways a polygon outline is filled: opaque with Polygon and the null pen, or blended
// at a constant alpha through a polygon-shaped clip.
#pragma once
#include <cstdint>

#include "overlays/blend_surface.h"
#include "overlays/fill_outline.h"
#include "platform/dc.h"

namespace corvane {

// Whether a fill of this opacity is blended: 0 <= t < 1. NaN and everything else is opaque.
inline bool BlendsFill(double t) { return t >= 0.0 && t < 1.0; }
// The blend's constant alpha: trunc(t * 255) for a blended opacity.
inline std::uint8_t FillAlpha(double t) { return static_cast<std::uint8_t>(t * 255.0); }

// Brush of `color`, the stock null pen, Polygon, both restored, the brush deleted. Nothing
// happens when the brush cannot be made.
void FillOpaque(const FillOutline& outline, Color color, DeviceContext& dc);

// Blends `color` at `alpha` over [minX, maxX) x [minY, maxY) of the outline, through the
// outline's ALTERNATE region ANDed with dc's clip, whose box GetClipBox gave as `clipBox`.
// The off-screen bitmap covers only that rectangle's part inside the clip box, so a shape
// far larger than the picture costs no more than the picture; it is `shared`'s when one is
// given, else made for this fill alone. A context that draws antialiased blends the
// outline by its exact coverage instead, and nothing below is made. When the region, the saved clip, the memory
// context, the bitmap or the brush cannot be made, nothing is blended (never unmasked,
// never from an unfilled bitmap). On every path dc's clip is put back (as the rectangle of
// its former clip box) and everything made here is released.
void FillTranslucent(const FillOutline& outline, const IRect& clipBox, Color color,
                     std::uint8_t alpha, DeviceContext& dc, BlendSurface* shared = nullptr);

}  // namespace corvane
