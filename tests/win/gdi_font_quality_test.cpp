// The font quality GDI is asked for: the default request keeps the desktop's smoothing, a
// smoothed one (the antialiased picture's) asks for grey smoothing, never ClearType colour.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "platform/gdi/gdi_system.h"

namespace corvane {
namespace {

TEST(GdiFontQuality, SmoothedRequestAsksForGreySmoothing) {
  GdiGraphicsSystem system;
  std::unique_ptr<DeviceContext> dc = system.CreateCompatibleDC(nullptr);
  ASSERT_TRUE(dc);
  const struct {
    bool smoothed;
    BYTE quality;
  } cases[] = {{false, PROOF_QUALITY}, {true, ANTIALIASED_QUALITY}};
  for (const auto& c : cases) {
    FontRequest request;
    request.smoothed = c.smoothed;
    const ObjHandle font = dc->CreateFontA(request);
    ASSERT_NE(font, kNoObject);
    LOGFONTA lf{};
    ASSERT_EQ(GetObjectA(reinterpret_cast<HGDIOBJ>(font), sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfQuality, c.quality) << "smoothed " << c.smoothed;
    EXPECT_EQ(lf.lfHeight, request.height);
    dc->DeleteObject(font);
  }
}

}  // namespace
}  // namespace corvane
