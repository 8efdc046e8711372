// The demo charts, built through the public automation API. examples/demo.vbs builds the
// same charts member by member, so the native and the Windows pictures can be compared.
#pragma once
#include <string>

#include "control/automation.h"

namespace corvane::demo {

// Three plots (polyline with markers, least-squares line, parabola) with dashed line
// overlays of every style over a gradient background, two marks and a legend.
void BuildPlotsChart(CorvaneAutomation& chart);
// The same data over a noise-texture background.
void BuildTextureChart(CorvaneAutomation& chart);

// The presets the overlay chart is shown under, with the names of their pictures.
struct OverlayPreset {
  int preset;
  const char* kind;
};
constexpr OverlayPreset kOverlayPresets[] = {
    {3, "overlays_matrix"}, {13, "overlays_red"}, {16, "overlays_olive_texture"}};

// The plots with translucent and opaque polygons, rectangles, candlesticks and a legend,
// under `preset`.
void BuildOverlaysChart(CorvaneAutomation& chart, int preset);

}  // namespace corvane::demo
