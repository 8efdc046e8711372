// Show and SaveToFile: the device contexts, bitmaps and copies around RenderChart.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "control/automation.h"
#include "pipeline_test_files.h"
#include "platform/recording_dc.h"

namespace corvane {
namespace {

using namespace pipeline_testing;

// The index of the first call of context `dc` whose text starts with `text`, from `from` on.
long FindOn(const CallLog& log, int dc, const std::string& text, long from = 0) {
  for (long i = from; i < static_cast<long>(log.size()); ++i) {
    const RecordedCall& c = log.calls()[i];
    if (c.dc == dc && c.text.compare(0, text.size(), text) == 0) return i;
  }
  return -1;
}

int DcId(const std::string& name) { return name.size() > 1 ? std::stoi(name.substr(1)) : -1; }

class PresentRecordingTest : public ::testing::Test {
 protected:
  PresentRecordingTest() { system.AddWindow(5, 640, 480); }
  RecordingGraphicsSystem system;
  CorvaneAutomation chart{system};
  const CallLog& log() { return system.log(); }
};

TEST_F(PresentRecordingTest, ShowWithoutAWindowOrIntoAHandleThatIsNoWindow) {
  chart.SetSize(200, 100);
  EXPECT_EQ(chart.Show(), kS_OK);
  EXPECT_EQ(log().size(), 0u);

  chart.put_hWnd(99);
  EXPECT_EQ(chart.Show(), kS_OK);
  ASSERT_EQ(log().size(), 1u);
  EXPECT_EQ(log().calls()[0].text, "GetWindowDC 99");
  EXPECT_EQ(chart.engine().layoutPassCount, 0u);
}

TEST_F(PresentRecordingTest, ShowBeforeSetSizeCopiesNothing) {
  chart.put_hWnd(5);
  EXPECT_EQ(chart.Show(), kS_OK);
  EXPECT_EQ(log().Count("BitBlt"), 0u);
  EXPECT_EQ(log().Count("ExtTextOutOpaque"), 0u);
  EXPECT_EQ(chart.pictureBitmap(), kNoObject);
  EXPECT_EQ(log().Count("DeleteDC"), 1u);
  EXPECT_EQ(log().Count("ReleaseDC"), 1u);
}

TEST_F(PresentRecordingTest, ShowRendersOffScreenAndCopiesOnce) {
  chart.SetSize(200, 100);
  chart.put_hWnd(5);
  ASSERT_EQ(chart.Show(), kS_OK);

  ASSERT_EQ(log().calls()[0].text, "GetWindowDC 5");
  const int window = DcId(log().calls()[0].result);
  ASSERT_EQ(log().calls()[1].text, "CreateCompatibleDC d" + std::to_string(window));
  const int memory = DcId(log().calls()[1].result);
  const long create = FindOn(log(), window, "CreateCompatibleBitmap 200 100");
  ASSERT_GE(create, 0);
  const std::string picture = log().calls()[create].result;
  const long select = FindOn(log(), memory, "SelectObject " + picture);
  const long paint = FindOn(log(), memory, "ExtTextOutOpaque 0 0 200 100");
  const long copy = FindOn(log(), window, "BitBlt 0 0 200 100 d" + std::to_string(memory) + " 0 0");
  const long restore = FindOn(log(), memory, "SelectObject stockbitmap");
  const long deleteDc = FindOn(log(), memory, "DeleteDC");
  const long release = FindOn(log(), window, "ReleaseDC");
  EXPECT_LT(create, select);
  EXPECT_LT(select, paint);
  EXPECT_LT(paint, copy);
  EXPECT_LT(copy, restore);
  EXPECT_LT(restore, deleteDc);
  EXPECT_LT(deleteDc, release);
  EXPECT_EQ(log().Count("BitBlt"), 1u);
  EXPECT_EQ(chart.engine().layoutPassCount, 1u);
  EXPECT_NE(chart.pictureBitmap(), kNoObject);
  // Only the picture outlives the call.
  EXPECT_EQ(system.LiveObjectCount(), 1u);

  // The next Show at the same size draws into the same picture. The solid background covers
  // it; under a gradient, which leaves the last column, it is first cleared to the black of a
  // new bitmap.
  const ObjHandle kept = chart.pictureBitmap();
  for (const std::int32_t fill : {0, 1}) {
    chart.engine().background.fillKind = fill;
    system.log().Clear();
    ASSERT_EQ(chart.Show(), kS_OK);
    EXPECT_EQ(log().Count("CreateCompatibleBitmap"), 0u);
    EXPECT_EQ(log().Count("DeleteObject " + picture), 0u);
    const int dc = DcId(log().calls()[1].result);
    const long clear = FindOn(log(), dc, "FillRect 0 0 200 100");
    if (fill == 0) EXPECT_LT(clear, 0);
    if (fill == 1) {
      ASSERT_GE(clear, 0);
      EXPECT_LT(clear, FindOn(log(), dc, "MoveToEx"));  // the gradient's first row
    }
    EXPECT_EQ(chart.pictureBitmap(), kept);
  }
  EXPECT_EQ(chart.engine().layoutPassCount, 1u);  // nothing changed: no layout pass
  EXPECT_EQ(system.LiveObjectCount(), 1u);

  // At another size it deletes the previous picture first and keeps the new one.
  chart.SetSize(201, 100);
  system.log().Clear();
  ASSERT_EQ(chart.Show(), kS_OK);
  const long dropped = FindOn(log(), 0, "DeleteObject " + picture);
  ASSERT_GE(dropped, 0);
  EXPECT_EQ(log().calls()[dropped].result, "1");
  EXPECT_LT(dropped, FindOn(log(), DcId(log().calls()[0].result), "CreateCompatibleBitmap 201 100"));
  EXPECT_EQ(system.LiveObjectCount(), 1u);
}

TEST_F(PresentRecordingTest, RefusedOrHugeBitmapsDrawNothing) {
  chart.put_hWnd(5);
  chart.SetSize(200, 100);
  system.SetRefuseBitmaps(true);
  EXPECT_EQ(chart.Show(), kS_OK);
  EXPECT_EQ(log().Count("BitBlt"), 0u);
  EXPECT_EQ(chart.engine().layoutPassCount, 0u);
  EXPECT_EQ(log().Count("ReleaseDC"), 1u);

  system.SetRefuseBitmaps(false);
  for (auto [w, h] : {std::pair{100000, 100000}, std::pair{-5, 10}, std::pair{40000, 1}}) {
    chart.SetSize(w, h);
    EXPECT_EQ(chart.Show(), kS_OK);
  }
  EXPECT_EQ(log().Count("BitBlt"), 0u);
  EXPECT_EQ(system.LiveObjectCount(), 0u);
}

TEST_F(PresentRecordingTest, SaveToFileWorksWithoutAWindowAndReleasesEverything) {
  TempDir dir;
  const std::string path = dir.File("chart.bmp");
  chart.SetSize(30, 20);
  ASSERT_EQ(Save(chart, path), kS_OK);

  const std::vector<unsigned char> bytes = ReadFile(path);
  EXPECT_EQ(bytes.size(), 54u + 92u * 20u);  // stride of 30 pixels: 92 bytes
  EXPECT_EQ(log().Count("GetWindowDC"), 0u);
  EXPECT_EQ(log().calls()[0].text, "CreateCompatibleDC 0");
  const int exportDc = DcId(log().calls()[0].result);
  const long dib = FindOn(log(), exportDc, "CreateDIBSection24 30 20");
  ASSERT_GE(dib, 0);
  const long screen = log().Find("GetScreenDC");
  const long copy = FindOn(log(), exportDc, "BitBlt 0 0 30 20");
  EXPECT_LT(dib, screen);
  EXPECT_LT(screen, copy);
  EXPECT_EQ(chart.engine().layoutPassCount, 1u);
  EXPECT_EQ(system.LiveObjectCount(), 1u);  // the picture; the DIB section is gone
  EXPECT_NE(chart.pictureBitmap(), kNoObject);
}

TEST_F(PresentRecordingTest, SaveToFileRefusesImpossibleRequestsWithoutTouchingAnything) {
  TempDir dir;
  const std::string path = dir.File("x.bmp");
  for (auto [w, h] : {std::pair{0, 10}, std::pair{10, 0}, std::pair{-5, 3}, std::pair{3, -5}}) {
    chart.SetSize(w, h);
    EXPECT_EQ(Save(chart, path), kE_INVALIDARG);
  }
  EXPECT_EQ(log().size(), 0u);
  chart.SetSize(10, 10);
  EXPECT_EQ(chart.SaveToFile(nullptr, 0), kE_INVALIDARG);
  const std::u16string embedded = u"\0abc";
  EXPECT_EQ(chart.SaveToFile(embedded.data(), 4), kE_INVALIDARG);
  EXPECT_EQ(log().size(), 0u);

  chart.SetSize(100000, 100000);
  EXPECT_TRUE(Failed(Save(chart, path)));
  system.SetRefuseBitmaps(true);
  chart.SetSize(10, 10);
  EXPECT_EQ(Save(chart, path), kE_OUTOFMEMORY);
  EXPECT_FALSE(Exists(path));
  EXPECT_EQ(system.LiveObjectCount(), 0u);
  EXPECT_EQ(chart.engine().layoutPassCount, 0u);

  system.SetRefuseBitmaps(false);
  chart.SetSize(10, 10);
  EXPECT_EQ(Save(chart, dir.File("missing/x.bmp")), HResultFromWin32(3));
  EXPECT_EQ(system.LiveObjectCount(), 1u);  // rendered, picture kept, file not written
}

}  // namespace
}  // namespace corvane
