#include "platform/raster/raster_text.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_MODULE_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H
#include FT_TRUETYPE_TAGS_H
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/raster/raster_text_ink.h"
#include "platform/utf8_decode.h"

namespace corvane {

namespace text_detail {

// One resolved face (regular, bold, italic or bold italic), loaded once per process.
struct FaceEntry {
  FT_Face face = nullptr;
  bool embolden = false;  // fontconfig found no real bold face
  std::int32_t units_per_em = 0;
  std::int32_t win_ascent = 0;
  std::int32_t win_descent = 0;
  std::int32_t hhea_ascender = 0;
  std::int32_t hhea_descender = 0;
  std::int32_t underline_position = 0;  // font units, from the post table
  std::int32_t underline_thickness = 0;
  std::vector<std::pair<std::uint16_t, std::uint16_t>> gasp;  // (max ppem, flags)
  std::int32_t active_ppem = 0;  // the size currently set on `face`
};

}  // namespace text_detail

namespace {

using text_detail::FaceEntry;

constexpr std::uint16_t kGaspDoGray = 0x0002;

// Where fontconfig finds "Arial" in one style: file, face index, and whether a bold
// request had to settle for a lighter face.
struct FontFile {
  std::string path;
  int index = 0;
  bool embolden = false;
};

// A glyph at one size: its integer advance and, once rendered, its coverage in
// 0..kInkLevels with the bitmap's top-left at (pen + left, baseline - top). Bilevel glyphs
// are hinted for a monochrome target, which moves some of their advances by a pixel; they
// are placed with those advances while extents keep the measuring ones.
struct Glyph {
  std::int32_t advance = 0;
  std::int32_t draw_advance = 0;
  bool rendered = false;
  std::int32_t left = 0, top = 0, width = 0, rows = 0;
  std::vector<std::uint8_t> levels;
};

// Everything FreeType: the library, the faces and the glyph cache. FreeType faces are not
// safe to use from two threads at once, so one lock guards all of it.
class TextState {
 public:
  static TextState& Get() {
    static TextState* state = new TextState();  // never destroyed: fonts may outlive main
    return *state;
  }

  std::mutex& lock() { return mutex_; }

  // Style index: bit 0 bold, bit 1 italic. Null when no face is available. A face that
  // could not be loaded for want of memory is tried again at the next request, so a
  // passing shortage never costs the process its text.
  FaceEntry* Face(int style) {
    if (!resolved_[style]) {
      bool outOfMemory = false;
      faces_[style] = Load(style, &outOfMemory);
      resolved_[style] = !outOfMemory;
    }
    return faces_[style];
  }

  bool SetPpem(FaceEntry* f, std::int32_t ppem) {
    if (f->active_ppem == ppem) return true;
    if (FT_Set_Pixel_Sizes(f->face, 0, static_cast<FT_UInt>(ppem)) != 0) return false;
    f->active_ppem = ppem;
    return true;
  }

  // The cached glyph for a character; with `render` its coverage is made available too.
  // Returns null when FreeType cannot load it.
  const Glyph* GlyphFor(FaceEntry* f, int style, std::int32_t ppem, bool gray, char32_t ch,
                        bool render);

 private:
  // FreeType allocates through the C heap of this library's own code, so its allocations
  // fail, and are tested to fail, where the rest of the engine's do.
  TextState() {
    memory_.user = nullptr;
    memory_.alloc = [](FT_Memory, long size) { return std::malloc(static_cast<std::size_t>(size)); };
    memory_.free = [](FT_Memory, void* block) { std::free(block); };
    memory_.realloc = [](FT_Memory, long, long size, void* block) {
      return std::realloc(block, static_cast<std::size_t>(size));
    };
    if (FT_New_Library(&memory_, &library_) != 0) {
      library_ = nullptr;
      return;
    }
    FT_Add_Default_Modules(library_);
    FT_Set_Default_Properties(library_);
  }
  FaceEntry* Load(int style, bool* outOfMemory);
  bool Render(FaceEntry* f, bool gray, Glyph* g);

  std::mutex mutex_;
  FT_MemoryRec_ memory_{};
  FT_Library library_ = nullptr;
  bool files_matched_ = false;
  FontFile files_[4];
  bool resolved_[4] = {false, false, false, false};
  FaceEntry* faces_[4] = {nullptr, nullptr, nullptr, nullptr};
  std::unordered_map<std::uint64_t, Glyph> glyphs_;
  std::size_t cached_bytes_ = 0;
};

// Cache bound; past it the cache starts afresh (text in a chart uses few glyphs and sizes).
constexpr std::size_t kMaxCachedBytes = std::size_t{16} << 20;
constexpr std::size_t kMaxCachedGlyphs = 8192;

// Resolves all four styles with a private configuration, released again at once (the
// library's global one is never freed).
void MatchFontFiles(FontFile files[4]) {
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (!config) return;
  // The configuration goes however the matching ends (a file name may not fit in memory).
  const std::unique_ptr<FcConfig, void (*)(FcConfig*)> owner(config, FcConfigDestroy);
  for (int style = 0; style < 4; ++style) {
    FcPattern* pat = FcPatternCreate();
    if (!pat) continue;
    FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>("Arial"));
    FcPatternAddInteger(pat, FC_WEIGHT, (style & 1) ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pat, FC_SLANT, (style & 2) ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pat, FC_SCALABLE, FcTrue);  // TrueType only: no bitmap fonts
    FcConfigSubstitute(config, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult result = FcResultNoMatch;
    FcPattern* const match = FcFontMatch(config, pat, &result);
    FcPatternDestroy(pat);
    if (!match) continue;
    const std::unique_ptr<FcPattern, void (*)(FcPattern*)> matched(match, FcPatternDestroy);
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file) {
      files[style].path = reinterpret_cast<const char*>(file);
    }
    int index = 0;
    if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) files[style].index = index;
    int weight = 0;
    files[style].embolden = (style & 1) &&
                            FcPatternGetInteger(match, FC_WEIGHT, 0, &weight) == FcResultMatch &&
                            weight < FC_WEIGHT_DEMIBOLD;
  }
}

// The metrics GDI takes from a face's tables; false when memory runs out on the way.
bool ReadFaceTables(FT_Face face, FaceEntry* f) try {
  f->face = face;
  f->units_per_em = face->units_per_EM;
  if (auto* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA))) {
    f->hhea_ascender = hhea->Ascender;
    f->hhea_descender = hhea->Descender;
  } else {
    f->hhea_ascender = face->ascender;
    f->hhea_descender = face->descender;
  }
  if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
      os2 && os2->version != 0xFFFF) {
    f->win_ascent = os2->usWinAscent;
    f->win_descent = os2->usWinDescent;
  }
  if (f->win_ascent + f->win_descent == 0) {
    f->win_ascent = f->hhea_ascender;
    f->win_descent = -f->hhea_descender;
  }
  if (auto* post = static_cast<TT_Postscript*>(FT_Get_Sfnt_Table(face, FT_SFNT_POST))) {
    f->underline_position = post->underlinePosition;
    f->underline_thickness = post->underlineThickness;
  }
  FT_ULong len = 0;
  if (FT_Load_Sfnt_Table(face, TTAG_gasp, 0, nullptr, &len) == 0 && len >= 4 && len < 65536) {
    std::vector<FT_Byte> table(len);
    if (FT_Load_Sfnt_Table(face, TTAG_gasp, 0, table.data(), &len) == 0) {
      std::size_t n = (static_cast<std::size_t>(table[2]) << 8) | table[3];
      for (std::size_t i = 0; i < n && 4 + 4 * i + 3 < len; ++i) {
        const FT_Byte* r = &table[4 + 4 * i];
        f->gasp.emplace_back(static_cast<std::uint16_t>((r[0] << 8) | r[1]),
                             static_cast<std::uint16_t>((r[2] << 8) | r[3]));
      }
    }
  }
  return true;
} catch (const std::bad_alloc&) {
  return false;
}

FaceEntry* TextState::Load(int style, bool* outOfMemory) try {
  if (!library_) return nullptr;
  if (!files_matched_) {
    MatchFontFiles(files_);
    files_matched_ = true;
  }
  const FontFile& file = files_[style];
  if (file.path.empty()) return nullptr;
  FT_Face face = nullptr;
  const FT_Error error = FT_New_Face(library_, file.path.c_str(), file.index, &face);
  if (error != 0) {
    *outOfMemory = error == FT_Err_Out_Of_Memory;
    return nullptr;
  }
  if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) {
    FT_Done_Face(face);
    return nullptr;
  }
  FT_Select_Charmap(face, FT_ENCODING_UNICODE);
  std::unique_ptr<FaceEntry> f(new (std::nothrow) FaceEntry());
  if (!f || !ReadFaceTables(face, f.get())) {
    FT_Done_Face(face);
    *outOfMemory = true;
    return nullptr;
  }
  f->embolden = file.embolden;
  return f.release();
} catch (const std::bad_alloc&) {
  *outOfMemory = true;
  return nullptr;
}


// Loads the glyph outline hinted into the face's slot: for advances and gray ink with the
// interpreter's default mode, for bilevel ink hinted for a monochrome target.
bool LoadHinted(FaceEntry* f, FT_UInt index, bool mono_target) {
  const FT_Int32 flags = FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP | FT_LOAD_IGNORE_GLOBAL_ADVANCE_WIDTH |
                         (mono_target ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
  if (FT_Load_Glyph(f->face, index, flags) != 0) return false;
  FT_GlyphSlot slot = f->face->glyph;
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return false;
  if (f->embolden) FT_Outline_EmboldenXY(&slot->outline, 64, 0);
  return true;
}

// The integer advance of the glyph in the face's slot.
std::int32_t AdvanceOf(const FaceEntry* f) {
  FT_Pos adv = f->face->glyph->metrics.horiAdvance;
  if (f->embolden) adv += 64;
  return static_cast<std::int32_t>((adv + 32) >> 6);
}

bool TextState::Render(FaceEntry* f, bool gray, Glyph* g) {
  FT_Outline& outline = f->face->glyph->outline;
  FT_BBox box;
  FT_Outline_Get_CBox(&outline, &box);
  const FT_Pos left = box.xMin & -64;
  const FT_Pos right = (box.xMax + 63) & -64;
  const FT_Pos bottom = box.yMin & -64;
  const FT_Pos top = (box.yMax + 63) & -64;
  const long width = (right - left) >> 6;
  const long rows = (top - bottom) >> 6;
  g->left = static_cast<std::int32_t>(left >> 6);
  g->top = static_cast<std::int32_t>(top >> 6);
  if (width <= 0 || rows <= 0 || width > 8 * kMaxFontPixels || rows > 8 * kMaxFontPixels) {
    g->width = g->rows = 0;
    g->rendered = true;
    return true;
  }
  FT_Bitmap bitmap{};
  bitmap.width = static_cast<unsigned>(width);
  bitmap.rows = static_cast<unsigned>(rows);
  std::vector<std::uint8_t> buffer;
  if (gray) {
    bitmap.pitch = static_cast<int>(width);
    bitmap.pixel_mode = FT_PIXEL_MODE_GRAY;
    bitmap.num_grays = 256;
  } else {
    bitmap.pitch = static_cast<int>((width + 31) / 32 * 4);
    bitmap.pixel_mode = FT_PIXEL_MODE_MONO;
    bitmap.num_grays = 2;
  }
  buffer.assign(static_cast<std::size_t>(bitmap.pitch) * bitmap.rows, 0);
  bitmap.buffer = buffer.data();
  FT_Outline_Translate(&outline, -left, -bottom);
  const bool ok = FT_Outline_Get_Bitmap(library_, &outline, &bitmap) == 0;
  std::vector<std::uint8_t> levels(static_cast<std::size_t>(width) * rows, 0);
  for (long y = 0; ok && y < rows; ++y) {  // a bitmap FreeType failed to draw stays blank
    const std::uint8_t* src = &buffer[static_cast<std::size_t>(y) * bitmap.pitch];
    std::uint8_t* dst = &levels[static_cast<std::size_t>(y) * width];
    for (long x = 0; x < width; ++x) {
      dst[x] = gray ? InkLevelFromCoverage(src[x])
                    : ((src[x >> 3] >> (7 - (x & 7))) & 1 ? kInkLevels : 0);
    }
  }
  // Only a glyph whose coverage is complete counts as rendered: memory running out above
  // leaves it unrendered, and the drawing never reads levels it lacks.
  g->levels = std::move(levels);
  g->width = static_cast<std::int32_t>(width);
  g->rows = static_cast<std::int32_t>(rows);
  g->rendered = true;
  return true;
}

const Glyph* TextState::GlyphFor(FaceEntry* f, int style, std::int32_t ppem, bool gray,
                                 char32_t ch, bool render) {
  const FT_UInt index = FT_Get_Char_Index(f->face, ch);  // 0: the notdef glyph
  const std::uint64_t key = (static_cast<std::uint64_t>(style) << 62) |
                            (static_cast<std::uint64_t>(ppem) << 32) | index;
  auto it = glyphs_.find(key);
  if (it != glyphs_.end() && (it->second.rendered || !render)) return &it->second;
  if (!SetPpem(f, ppem)) return nullptr;
  if (it == glyphs_.end()) {
    if (!LoadHinted(f, index, false)) return nullptr;
    if (glyphs_.size() >= kMaxCachedGlyphs || cached_bytes_ >= kMaxCachedBytes) {
      glyphs_.clear();
      cached_bytes_ = 0;
    }
    it = glyphs_.emplace(key, Glyph{}).first;
    it->second.advance = AdvanceOf(f);
  }
  if (render && !it->second.rendered) {
    Glyph& g = it->second;
    if (!LoadHinted(f, index, !gray)) return &g;
    g.draw_advance = gray ? g.advance : AdvanceOf(f);
    Render(f, gray, &g);
    cached_bytes_ += it->second.levels.size() + sizeof(Glyph);
  }
  return &it->second;
}

int StyleOf(const FontRequest& request) {
  // GDI picks the face whose weight is nearest the request: 551 and up is the bold face.
  const bool bold = request.weight > 550;
  return (bold ? 1 : 0) | (request.italic ? 2 : 0);
}

std::int32_t MulDivRound(std::int64_t a, std::int64_t b, std::int64_t c) {
  if (c == 0) return 0;
  std::int64_t n = a * b;
  std::int64_t q = (n >= 0 ? n + c / 2 : n - c / 2) / c;
  return static_cast<std::int32_t>(q);
}

// ppem of a request: a positive height is the cell (winAscent + winDescent scaled), taking
// the next smaller size when rounding would make the cell taller than asked.
std::int32_t PpemFor(const FaceEntry& f, std::int32_t height) {
  if (height == 0) height = 16;
  if (height < 0) {
    return height < -kMaxFontPixels ? kMaxFontPixels : -height;
  }
  height = std::min(height, kMaxFontPixels);
  const std::int32_t units = f.win_ascent + f.win_descent;
  if (units <= 0) return height;
  std::int32_t ppem = MulDivRound(f.units_per_em, height, units);
  if (ppem > 1 && MulDivRound(units, ppem, f.units_per_em) > height) --ppem;
  return std::clamp(ppem, 1, kMaxFontPixels);
}

// Font units -> whole pixels through a 16.16 pixels-per-unit factor, rounded once (GDI's
// metrics do not pass through 26.6 on the way, which would round twice).
std::int32_t ScaleToPixels(std::int64_t units, std::int64_t em_scale) {
  const std::int64_t magnitude = ((units < 0 ? -units : units) * em_scale + 0x8000) >> 16;
  return static_cast<std::int32_t>(units < 0 ? -magnitude : magnitude);
}

// Iterates the code points of a UTF-8 string (nothing past len is read).
template <typename Fn>
void ForEachCodePoint(const char* text, std::int32_t len, Fn&& fn) {
  if (!text || len <= 0) return;
  const std::size_t n = static_cast<std::size_t>(len);
  std::size_t pos = 0;
  while (pos < n) fn(DecodeUtf8(text, n, &pos));
}

std::int32_t SaturateToInt32(std::int64_t a) {
  if (a > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (a < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(a);
}

}  // namespace

RasterFont::RasterFont(const FontRequest& request) : request_(request) {
  TextState& state = TextState::Get();
  std::lock_guard<std::mutex> guard(state.lock());
  const int style = StyleOf(request);
  FaceEntry* f = state.Face(style);
  if (!f) return;
  const std::int32_t ppem = PpemFor(*f, request.height);
  if (!state.SetPpem(f, ppem)) return;
  const std::int64_t em_scale = MulDivRound(ppem, 1 << 16, f->units_per_em);
  metrics_.ppem = ppem;
  metrics_.ascent = ScaleToPixels(f->win_ascent, em_scale);
  metrics_.descent = ScaleToPixels(f->win_descent, em_scale);
  metrics_.height = metrics_.ascent + metrics_.descent;
  metrics_.internal_leading =
      ScaleToPixels(f->win_ascent + f->win_descent - f->units_per_em, em_scale);
  metrics_.underline_position = ScaleToPixels(f->underline_position, em_scale);
  metrics_.underline_thickness = ScaleToPixels(f->underline_thickness, em_scale);
  // Grey where the gasp table says so, as GDI smooths a font by default and for a smoothed
  // request alike; a face without the table is smoothed at every size.
  antialiased_ = true;
  for (const auto& range : f->gasp) {
    if (ppem <= range.first) {
      antialiased_ = (range.second & kGaspDoGray) != 0;
      break;
    }
  }
  face_ = f;
}

TextSize RasterFont::Measure(const char* utf8, std::int32_t len) const {
  if (!face_ || !utf8 || len <= 0) return TextSize{0, 0};
  TextState& state = TextState::Get();
  std::lock_guard<std::mutex> guard(state.lock());
  const int style = StyleOf(request_);
  std::int64_t cx = 0;
  ForEachCodePoint(utf8, len, [&](char32_t ch) {
    const Glyph* g = state.GlyphFor(face_, style, metrics_.ppem, antialiased_, ch, false);
    if (g) cx += g->advance;
  });
  return TextSize{SaturateToInt32(cx), metrics_.height};
}

void RasterFont::Draw(RasterCanvas& canvas, std::int32_t x, std::int32_t y, const char* utf8,
                      std::int32_t len, Color text_color, int bk_mode, Color bk_color) const {
  if (!face_ || !utf8 || len <= 0) return;
  const TextSize extent = Measure(utf8, len);
  const IRect clip = canvas.ClipBox();
  const std::int64_t right = static_cast<std::int64_t>(x) + extent.cx;
  const std::int64_t baseline = static_cast<std::int64_t>(y) + metrics_.ascent;

  const auto fill = [&](std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b, Color c) {
    l = std::max<std::int64_t>(l, clip.left);
    t = std::max<std::int64_t>(t, clip.top);
    r = std::min<std::int64_t>(r, clip.right);
    b = std::min<std::int64_t>(b, clip.bottom);
    for (std::int64_t row = t; row < b && l < r; ++row) {
      canvas.FillSpan(static_cast<std::int32_t>(row), static_cast<std::int32_t>(l),
                      static_cast<std::int32_t>(r), c);
    }
  };
  if (bk_mode == kOpaque) {
    fill(x, y, right, static_cast<std::int64_t>(y) + metrics_.height, bk_color);
  }

  TextState& state = TextState::Get();
  {
    std::lock_guard<std::mutex> guard(state.lock());
    const int style = StyleOf(request_);
    const InkBlender blender(text_color);
    // Ink may overhang the cell sideways but is cut at its top and bottom edges.
    const std::int64_t ink_top = std::max<std::int64_t>(clip.top, y);
    const std::int64_t ink_bottom =
        std::min<std::int64_t>(clip.bottom, static_cast<std::int64_t>(y) + metrics_.height);
    std::int64_t pen = x;
    ForEachCodePoint(utf8, len, [&](char32_t ch) {
      if (pen >= clip.right) return;  // the rest of the string lies right of the clip
      const Glyph* g = state.GlyphFor(face_, style, metrics_.ppem, antialiased_, ch, true);
      if (!g) return;
      const std::int64_t gx = pen + g->left;
      const std::int64_t gy = baseline - g->top;
      pen += g->draw_advance;
      if (gx >= clip.right || gx + g->width <= clip.left || gy >= ink_bottom ||
          gy + g->rows <= ink_top) {
        return;
      }
      const std::int32_t r0 = static_cast<std::int32_t>(std::max<std::int64_t>(0, ink_top - gy));
      const std::int32_t r1 =
          static_cast<std::int32_t>(std::min<std::int64_t>(g->rows, ink_bottom - gy));
      const std::int32_t c0 = static_cast<std::int32_t>(std::max<std::int64_t>(0, clip.left - gx));
      const std::int32_t c1 =
          static_cast<std::int32_t>(std::min<std::int64_t>(g->width, clip.right - gx));
      for (std::int32_t row = r0; row < r1; ++row) {
        const std::uint8_t* lv = &g->levels[static_cast<std::size_t>(row) * g->width];
        const std::int32_t py = static_cast<std::int32_t>(gy + row);
        for (std::int32_t col = c0; col < c1; ++col) {
          const unsigned level = lv[col];
          if (level <= 1) continue;
          const std::int32_t px = static_cast<std::int32_t>(gx + col);
          if (!canvas.Visible(px, py)) continue;
          canvas.Plot(px, py, level >= kInkLevels ? text_color
                                                  : blender.Blend(canvas.Pixel(px, py), level));
        }
      }
    });
  }

  if (request_.underline) {
    const std::int32_t thickness = std::max(metrics_.underline_thickness, 1);
    // The position names the line's centre: a thick line straddles it.
    const std::int64_t top = baseline - metrics_.underline_position - thickness / 2;
    fill(x, top, right, top + thickness, text_color);
  }
}

}  // namespace corvane
