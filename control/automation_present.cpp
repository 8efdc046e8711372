// Show and SaveToFile: the two members of ICorvaneEx that draw. Both render the whole chart
// into an off-screen picture bitmap of the engine's size, which the object keeps until the
// next rendering. RenderExport is SaveToFile's rendering, shared with the picture members.
#include <memory>
#include <new>
#include <string>

#include "control/automation.h"
#include "control/bmp_export.h"
#include "platform/raster/antialias_dc.h"

namespace corvane {

HResult CorvaneAutomation::get_Antialias(bool* pVal) {
  if (!pVal) return kE_POINTER;
  *pVal = antialias_;
  return kS_OK;
}

HResult CorvaneAutomation::put_Antialias(bool v) {
  antialias_ = v;  // the coverage cells stay: turning it back on finds them ready
  return kS_OK;
}

HResult CorvaneAutomation::get_PixelScale(double* pVal) {
  if (!pVal) return kE_POINTER;
  *pVal = engine_.pixelScale.factor();
  return kS_OK;
}

HResult CorvaneAutomation::put_PixelScale(double v) {
  if (!(v >= PixelScale::kMin && v <= PixelScale::kMax)) return kE_INVALIDARG;  // NaN too
  if (v != engine_.pixelScale.factor()) {
    engine_.pixelScale = PixelScale(v);
    engine_.InvalidateLayout();
  }
  return kS_OK;
}

void CorvaneAutomation::RenderIntoDib(DeviceContext& dc, void* dibBits) {
  if (!antialias_) {
    engine_.RenderChart(&dc);
    return;
  }
  {
    // The geometry goes straight into the DIB's memory, the rest through dc into the same
    // memory, in drawing order; the context draws what it still holds as it goes.
    if (!coverage_) coverage_ = std::make_unique<AntialiasCells>();
    AntialiasDc antialiased(dc, PixelSurface::BottomUpDib24(dibBits, engine_.width, engine_.height),
                            coverage_.get(), &engine_.workers);
    engine_.RenderChart(&antialiased);
  }
  graphics_.FlushDrawing();
}

ObjHandle CorvaneAutomation::PictureFor(DeviceContext& dc, std::int32_t w, std::int32_t h,
                                        bool* reused) {
  *reused = picture_ && pictureWidth_ == w && pictureHeight_ == h;
  if (*reused) return picture_.get();
  DropPicture();
  const ObjHandle bitmap = (w > 0 && h > 0) ? dc.CreateCompatibleBitmap(w, h) : kNoObject;
  if (!bitmap) return kNoObject;
  picture_.Reset(&graphics_, bitmap);
  pictureWidth_ = w;
  pictureHeight_ = h;
  return bitmap;
}

bool CorvaneAutomation::ClearPicture(DeviceContext& dc, std::int32_t w, std::int32_t h) {
  if (engine_.background.PaintsEveryPixel(w, h)) return true;
  const ObjHandle black = dc.CreateSolidBrush(0);
  if (!black) return false;
  const bool done = dc.FillRect(IRect{0, 0, w, h}, black);
  dc.DeleteObject(black);
  return done;
}

void CorvaneAutomation::DropPicture() {
  picture_.Reset();
  pictureWidth_ = pictureHeight_ = dibWidth_ = dibHeight_ = 0;
  dibBits_ = nullptr;
}

// The antialiased picture is a DIB section, never reused as a compatible bitmap, nor a
// compatible bitmap as it.
ObjHandle CorvaneAutomation::DibPictureFor(DeviceContext& dc, std::int32_t w, std::int32_t h,
                                           void** bits, bool* reused) {
  *reused = picture_ && dibBits_ && dibWidth_ == w && dibHeight_ == h;
  if (*reused) {
    *bits = dibBits_;
    return picture_.get();
  }
  *bits = nullptr;
  ObjHandle dib = (w > 0 && h > 0) ? dc.CreateDIBSection24(w, h, bits) : kNoObject;
  if (dib && !*bits) {
    graphics_.DeleteObject(dib);
    dib = kNoObject;
  }
  if (!dib) return kNoObject;  // the previous picture stays
  DropPicture();
  picture_.Reset(&graphics_, dib);
  dibWidth_ = w;
  dibHeight_ = h;
  dibBits_ = *bits;
  return dib;
}

HResult CorvaneAutomation::Show() {
  if (hWnd_ == 0) return kS_OK;
  try {
    // A handle that names no window gives no context: nothing to paint into.
    std::unique_ptr<DeviceContext> windowDc = graphics_.GetWindowDC(hWnd_);
    if (!windowDc) return kS_OK;
    std::unique_ptr<DeviceContext> memoryDc = graphics_.CreateCompatibleDC(windowDc.get());
    if (!memoryDc) return kS_OK;
    const std::int32_t w = engine_.width, h = engine_.height;
    // An empty picture has nothing to show; a picture the system refuses (negative or
    // enormous sizes) leaves the window as it was. Antialiased geometry is written into the
    // picture's memory, so that picture is a DIB section.
    void* bits = nullptr;
    bool reused = false;
    ObjHandle bitmap = kNoObject;
    if (antialias_) {
      bitmap = DibPictureFor(*memoryDc, w, h, &bits, &reused);
    } else {
      bitmap = PictureFor(*windowDc, w, h, &reused);
    }
    if (bitmap) {
      const ObjHandle previous = memoryDc->SelectObject(bitmap);
      if (previous) {
        if (antialias_) {
          if (!reused || ClearPicture(*memoryDc, w, h)) {
            RenderIntoDib(*memoryDc, bits);
            windowDc->BitBlt(0, 0, w, h, *memoryDc, 0, 0);
          }
        } else if (!reused || ClearPicture(*memoryDc, w, h)) {
          engine_.RenderChart(memoryDc.get());
          windowDc->BitBlt(0, 0, w, h, *memoryDc, 0, 0);
        }
        memoryDc->SelectObject(previous);
      }
    }
    memoryDc.reset();  // DeleteDC before ReleaseDC
  } catch (const std::bad_alloc&) {
    return kE_OUTOFMEMORY;
  }
  return kS_OK;
}

// A function try block: memory running out anywhere in the rendering unwinds the contexts and
// objects above and reports it.
HResult CorvaneAutomation::RenderExport(const std::function<HResult(const DibRows&)>& use) try {
  const std::int32_t w = engine_.width, h = engine_.height;
  // No bottom-up picture exists for these sizes: nothing is rendered.
  if (w <= 0 || h <= 0) return kE_INVALIDARG;
  std::unique_ptr<DeviceContext> exportDc = graphics_.CreateCompatibleDC(nullptr);
  if (!exportDc) return kE_OUTOFMEMORY;
  void* bits = nullptr;
  if (antialias_) {
    // Drawn straight into the DIB section's memory, which stays as the picture: no second
    // bitmap and no copy. When none can be made, the previous picture stays.
    bool reused = false;
    const ObjHandle dib = DibPictureFor(*exportDc, w, h, &bits, &reused);
    if (!dib) return kE_OUTOFMEMORY;
    const ObjHandle previousDib = exportDc->SelectObject(dib);
    if (!previousDib) return kE_FAIL;
    const bool cleared = !reused || ClearPicture(*exportDc, w, h);
    if (cleared) RenderIntoDib(*exportDc, bits);
    exportDc->SelectObject(previousDib);
    exportDc.reset();
    if (!cleared) return kE_OUTOFMEMORY;
    return use(DibRows{w, h, static_cast<const std::uint8_t*>(bits)});
  }
  const ObjHandle dib = exportDc->CreateDIBSection24(w, h, &bits);
  // Too big for the system (or out of resources): no picture can be made; the previous
  // picture stays.
  if (!dib || !bits) {
    if (dib) graphics_.DeleteObject(dib);
    return kE_OUTOFMEMORY;
  }
  OwnedObject dibOwner;
  dibOwner.Reset(&graphics_, dib);

  HResult hr = kS_OK;
  {
    std::unique_ptr<DeviceContext> screenDc = graphics_.GetScreenDC();
    std::unique_ptr<DeviceContext> drawingDc =
        screenDc ? graphics_.CreateCompatibleDC(screenDc.get()) : nullptr;
    bool reused = false;
    const ObjHandle bitmap = drawingDc ? PictureFor(*screenDc, w, h, &reused) : kNoObject;
    if (!bitmap) {
      // Rendering into the 1 x 1 stock bitmap would hand out a black picture as done.
      hr = kE_OUTOFMEMORY;
    } else {
      const ObjHandle previousPicture = drawingDc->SelectObject(bitmap);
      const ObjHandle previousDib = previousPicture ? exportDc->SelectObject(dib) : kNoObject;
      if (!previousPicture || !previousDib) {
        hr = kE_FAIL;
      } else if (reused && !ClearPicture(*drawingDc, w, h)) {
        hr = kE_OUTOFMEMORY;
      } else {
        engine_.RenderChart(drawingDc.get());
        // The copy converts the picture to 24 bits per pixel. Between two memory contexts
        // of the same size it fails only for want of memory.
        if (!exportDc->BitBlt(0, 0, w, h, *drawingDc, 0, 0)) hr = kE_OUTOFMEMORY;
      }
      if (previousDib) exportDc->SelectObject(previousDib);
      if (previousPicture) drawingDc->SelectObject(previousPicture);
    }
    drawingDc.reset();
  }
  if (hr == kS_OK) hr = use(DibRows{w, h, static_cast<const std::uint8_t*>(bits)});
  exportDc.reset();
  return hr;  // dibOwner deletes the DIB section, now selected nowhere
} catch (const std::bad_alloc&) {
  return kE_OUTOFMEMORY;
}

HResult CorvaneAutomation::SaveToFile(const char16_t* fileName, std::uint32_t len) {
  // No bottom-up picture exists for these sizes: no file is written or changed.
  if (engine_.width <= 0 || engine_.height <= 0) return kE_INVALIDARG;
  try {
    const std::u16string name = FileNameArgument(fileName, len);
    if (name.empty()) return kE_INVALIDARG;
    return RenderExport([&](const DibRows& dib) {
      return WriteBmpFile(name, dib.width, dib.height, dib.bits);
    });
  } catch (const std::bad_alloc&) {
    return kE_OUTOFMEMORY;
  }
}

}  // namespace corvane
