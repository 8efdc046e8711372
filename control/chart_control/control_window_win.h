// The window class of the chart control, registered on first use with the module's handle
// and removed when the module unloads (a class a DLL registers outlives the DLL otherwise).
#pragma once
#include <windows.h>

namespace corvane {

class CChartControl;

// A child window of `parent` at `pos` whose messages go to `control`; null on failure.
HWND CreateChartControlWindow(CChartControl* control, HWND parent, const RECT& pos);
// Cuts the window off from its control, then destroys it.
void DestroyChartControlWindow(HWND window);
// The length from a to b, 0 when b lies before a, without overflow for any two values.
LONG Span(LONG a, LONG b);

// HIMETRIC units (0.01 mm) and pixels of the screen, both ways.
SIZEL PixelsToHimetric(SIZEL pixels);
SIZEL HimetricToPixels(SIZEL himetric);

// For the module's unload: no window of the class may exist any more.
void UnregisterChartControlWindowClass();

}  // namespace corvane
