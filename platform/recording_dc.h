// RecordingDc: a DeviceContext that logs every call as one compact line ("CreatePen 1
// 0x0000ff", "MoveToEx 0 0", "SelectClipRgn r3") and forwards it to a wrapped context. Without
// a wrapped context it answers like a blank surface:
//   - object creations return fresh handles (named p1, b2, f3, r4, m5 in the log; the stock
//     null pen is "nullpen"); SelectObject returns the previous object of the same kind;
//     DeleteObject fails for a selected, stock or unknown handle, as GDI does;
//   - bitmaps of w <= 0, h <= 0, a side above 32767 or more than 2^26 pixels are refused;
//     DIB sections get real zeroed pixel memory;
//   - GetClipBox gives the surface rectangle (window size, or the selected bitmap's size for a
//     memory context, 1 x 1 with the stock bitmap) intersected with the selected clip's box;
//   - GetPixel answers 0 inside the surface and kInvalidColor outside; drawing changes nothing;
//   - GetTextExtentPoint32A gives 8 pixels per byte by the selected font's height (16 with the
//     stock font).
// Contexts made through a RecordingGraphicsSystem share its log, so a whole Show or SaveToFile
// (window, memory and screen contexts) reads as one sequence.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/dc.h"

namespace corvane {

struct RecordedCall {
  int dc;              // id of the context (the "dN" of the log); 0 for system-level calls
  std::string text;    // "Name arg arg ..."
  std::string result;  // handle name, previous value, "1"/"0", ... ("" when there is none)

  // The first word of `text`.
  std::string Name() const { return text.substr(0, text.find(' ')); }
};

class CallLog {
 public:
  void Add(int dc, std::string text, std::string result = std::string()) {
    calls_.push_back(RecordedCall{dc, std::move(text), std::move(result)});
  }
  void Clear() { calls_.clear(); }
  const std::vector<RecordedCall>& calls() const { return calls_; }
  std::size_t size() const { return calls_.size(); }

  // Texts of every call, or of the calls named `name` only ("LineTo" matches "LineTo 3 4").
  std::vector<std::string> Texts() const;
  std::vector<std::string> Named(const std::string& name) const;
  std::size_t Count(const std::string& name) const;
  // Index of the first call at or after `from` whose text equals `text` or starts with it
  // followed by a space; -1 when there is none.
  long Find(const std::string& text, std::size_t from = 0) const;
  // "dN text = result" lines, for failure messages.
  std::string Dump() const;

 private:
  std::vector<RecordedCall> calls_;
};

class RecordingDc;

// Makes recording contexts. With an inner system it forwards (and wraps what it returns);
// without one it makes blank contexts: fake windows registered with AddWindow, a screen of
// the configured size, memory contexts starting with a 1 x 1 stock bitmap.
class RecordingGraphicsSystem : public GraphicsSystem {
 public:
  explicit RecordingGraphicsSystem(GraphicsSystem* inner = nullptr);
  ~RecordingGraphicsSystem() override;

  CallLog& log() { return log_; }
  GraphicsSystem* inner() const { return inner_; }

  // Blank mode: a host window of that client size answers GetWindowDC(hwnd).
  void AddWindow(std::int32_t hwnd, std::int32_t width, std::int32_t height);
  void SetScreenSize(std::int32_t width, std::int32_t height);
  // Blank mode: makes every later bitmap or DIB section creation fail (out of resources).
  void SetRefuseBitmaps(bool refuse) { refuseBitmaps_ = refuse; }

  std::unique_ptr<DeviceContext> GetWindowDC(std::int32_t hwnd) override;
  std::unique_ptr<DeviceContext> GetScreenDC() override;
  std::unique_ptr<DeviceContext> CreateCompatibleDC(DeviceContext* ref) override;
  bool DeleteObject(ObjHandle obj) override;

  // How many blank-mode objects exist (created and not yet deleted), stock ones excluded;
  // lets tests see that a drawing released what it made.
  std::size_t LiveObjectCount() const { return objects_.size(); }

 private:
  friend class RecordingDc;
  enum class Kind { kPen, kBrush, kFont, kRegion, kBitmap };
  struct FakeObject {
    Kind kind;
    IRect box;                  // regions: bounding box; bitmaps: 0, 0, w, h
    std::int32_t fontHeight;    // fonts
    std::vector<std::uint8_t> bits;  // DIB sections
    int selectedIn = 0;         // id of the context that has it selected (0: none)
  };

  int NextDcId() { return ++lastDcId_; }
  // Names a handle the way the log prints it; registers `h` under a new name when `prefix`
  // is given.
  std::string NameOf(ObjHandle h) const;
  std::string Register(ObjHandle h, char prefix);
  ObjHandle NewFake(Kind kind, char prefix, FakeObject obj, std::string* name);
  FakeObject* Fake(ObjHandle h);
  bool DeleteFake(ObjHandle h);
  bool BitmapAllowed(std::int32_t w, std::int32_t h) const;

  GraphicsSystem* inner_;
  CallLog log_;
  int lastDcId_ = 0;
  int lastName_ = 0;
  ObjHandle lastFake_ = 0x1000;
  std::unordered_map<ObjHandle, std::string> names_;
  std::unordered_map<ObjHandle, FakeObject> objects_;
  std::unordered_map<std::int32_t, IRect> windows_;
  IRect screen_{0, 0, 1024, 768};
  bool refuseBitmaps_ = false;
};

class RecordingDc : public DeviceContext {
 public:
  enum class Role { kMemory, kWindow, kScreen };

  // A blank context with a surface of width x height and a system (and log) of its own.
  explicit RecordingDc(std::int32_t width = 640, std::int32_t height = 480);
  // Records and forwards to `*inner` (not owned); memory contexts made through System() wrap
  // the inner system's contexts and log into the same log. A null `inner` makes a blank
  // 640 x 480 context.
  explicit RecordingDc(DeviceContext* inner);
  // Made by RecordingGraphicsSystem; `inner` may be null (blank mode).
  RecordingDc(RecordingGraphicsSystem& system, std::unique_ptr<DeviceContext> owned,
              DeviceContext* inner, Role role, IRect surface);
  ~RecordingDc() override;
  RecordingDc(const RecordingDc&) = delete;
  RecordingDc& operator=(const RecordingDc&) = delete;

  CallLog& log() { return system_->log(); }
  int id() const { return id_; }
  DeviceContext* inner() const { return inner_; }
  RecordingGraphicsSystem& recordingSystem() { return *system_; }

  GraphicsSystem& System() override;
  ObjHandle CreatePen(std::int32_t width, Color color) override;
  ObjHandle CreateSolidBrush(Color color) override;
  ObjHandle CreateFontA(const FontRequest& request) override;
  ObjHandle GetStockNullPen() override;
  ObjHandle CreateRectRgn(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) override;
  ObjHandle CreatePolygonRgn(const IPoint* pts, std::int32_t n) override;
  ObjHandle CreateCompatibleBitmap(std::int32_t w, std::int32_t h) override;
  ObjHandle CreateDIBSection24(std::int32_t w, std::int32_t h, void** bits) override;
  ObjHandle SelectObject(ObjHandle obj) override;
  ObjHandle GetCurrentBitmap() override;
  bool DeleteObject(ObjHandle obj) override;
  int SelectClipRgn(ObjHandle rgn) override;
  int ExtSelectClipRgnAnd(ObjHandle rgn) override;
  int GetClipBox(IRect* box) override;
  bool MoveToEx(std::int32_t x, std::int32_t y) override;
  bool LineTo(std::int32_t x, std::int32_t y) override;
  bool Polyline(const IPoint* pts, std::int32_t n) override;
  bool Polygon(const IPoint* pts, std::int32_t n) override;
  bool Rectangle(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) override;
  bool FillRect(const IRect& rc, ObjHandle brush) override;
  bool SetPixelV(std::int32_t x, std::int32_t y, Color c) override;
  Color GetPixel(std::int32_t x, std::int32_t y) override;
  bool ExtTextOutOpaque(const IRect& rc) override;
  bool TextOutA(std::int32_t x, std::int32_t y, const char* text, std::int32_t len) override;
  bool GetTextExtentPoint32A(const char* text, std::int32_t len, TextSize* size) override;
  Color SetTextColor(Color c) override;
  Color GetTextColor() override;
  Color SetBkColor(Color c) override;
  Color GetBkColor() override;
  int SetBkMode(int mode) override;
  int GetBkMode() override;
  bool BitBlt(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, DeviceContext& src,
              std::int32_t sx, std::int32_t sy) override;
  bool AlphaBlend(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                  DeviceContext& src, std::int32_t sx, std::int32_t sy, std::int32_t sw,
                  std::int32_t sh, std::uint8_t alpha) override;

 private:
  void Log(std::string text, std::string result = std::string());
  IRect Surface() const;
  // The context to forward a source argument to: the wrapped context of a recording one.
  static DeviceContext* Unwrap(DeviceContext& dc);

  std::unique_ptr<RecordingGraphicsSystem> ownSystem_;
  RecordingGraphicsSystem* system_;
  std::unique_ptr<DeviceContext> owned_;
  DeviceContext* inner_;
  Role role_;
  int id_;
  IRect surface_;

  // Blank-mode state.
  ObjHandle pen_, brush_, font_, bitmap_;
  bool hasClip_ = false;
  IRect clip_{0, 0, 0, 0};
  Color textColor_ = 0x000000, bkColor_ = 0xFFFFFF;
  int bkMode_ = kOpaque;
};

}  // namespace corvane
