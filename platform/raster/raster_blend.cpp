#include "platform/raster/raster_blend.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace corvane {
namespace {

// With x = s * a + d * (255 - a) and v = x + 128, (v + (v >> 8)) >> 8 equals (x + 127) / 255
// for every s, d, a in 0..255, all in 16 bits: the form that vectorises.
inline std::uint8_t Blend16(int s, int d, std::uint16_t a, std::uint16_t ia) {
  const auto v = static_cast<std::uint16_t>(s * a + d * ia + 128);
  return static_cast<std::uint8_t>(static_cast<std::uint16_t>(v + (v >> 8)) >> 8);
}

void BlendBytes(std::uint8_t* __restrict d, const std::uint8_t* __restrict s, std::int32_t n,
                std::uint16_t a) {
  const auto ia = static_cast<std::uint16_t>(255 - a);
  for (std::int32_t i = 0; i < n; ++i) d[i] = Blend16(s[i], d[i], a, ia);
}

template <int kDst, int kSrc>
void BlendPixels(std::uint8_t* d, const std::uint8_t* s, std::int32_t n, std::uint16_t a) {
  const auto ia = static_cast<std::uint16_t>(255 - a);
  for (std::int32_t i = 0; i < n; ++i, d += kDst, s += kSrc) {
    d[0] = Blend16(s[0], d[0], a, ia);
    d[1] = Blend16(s[1], d[1], a, ia);
    d[2] = Blend16(s[2], d[2], a, ia);
  }
}

// A 24-bit source over a 32-bit surface, the case of every translucent fill: four pixels at
// a time, the source gathered into registers with the destination's fourth byte, which the
// blend then gives back unchanged.
void BlendDib24Over32(std::uint8_t* d, const std::uint8_t* s, std::int32_t n, std::uint16_t a) {
  std::int32_t i = 0;
#if defined(__SSE2__)
  const __m128i va = _mm_set1_epi16(static_cast<short>(a));
  const __m128i via = _mm_set1_epi16(static_cast<short>(255 - a));
  const __m128i half = _mm_set1_epi16(128);
  const __m128i zero = _mm_setzero_si128();
  auto blend = [&](__m128i sv, __m128i dv) {
    __m128i v = _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(sv, va), _mm_mullo_epi16(dv, via)), half);
    return _mm_srli_epi16(_mm_add_epi16(v, _mm_srli_epi16(v, 8)), 8);
  };
  for (; i + 4 <= n; i += 4, d += 16, s += 12) {
    std::uint32_t p[4];
    for (int k = 0; k < 4; ++k)
      p[k] = std::uint32_t{s[3 * k]} | std::uint32_t{s[3 * k + 1]} << 8 |
             std::uint32_t{s[3 * k + 2]} << 16 | std::uint32_t{d[4 * k + 3]} << 24;
    const __m128i sv = _mm_set_epi32(static_cast<int>(p[3]), static_cast<int>(p[2]),
                                     static_cast<int>(p[1]), static_cast<int>(p[0]));
    const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
    const __m128i lo = blend(_mm_unpacklo_epi8(sv, zero), _mm_unpacklo_epi8(dv, zero));
    const __m128i hi = blend(_mm_unpackhi_epi8(sv, zero), _mm_unpackhi_epi8(dv, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_packus_epi16(lo, hi));
  }
#endif
  BlendPixels<4, 3>(d, s, n - i, a);
}

}  // namespace

void BlendRow(std::uint8_t* dst, int dstBytesPerPixel, const std::uint8_t* src,
              int srcBytesPerPixel, std::int32_t n, std::uint8_t alpha) {
  if (n <= 0) return;
  if (dstBytesPerPixel == 4 && srcBytesPerPixel == 3) {
    BlendDib24Over32(dst, src, n, alpha);
  } else if (dstBytesPerPixel == srcBytesPerPixel) {
    // Same layout: every byte blends alike (the fourth bytes of two 32-bit surfaces too).
    BlendBytes(dst, src, n * dstBytesPerPixel, alpha);
  } else {
    BlendPixels<3, 4>(dst, src, n, alpha);
  }
}

void BlendOneToOne(RasterBitmap& dst, const RasterBitmap& src, const RasterRegion& clip,
                   std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                   std::int64_t dx, std::int64_t dy, std::uint8_t alpha) {
  const int dstBytes = dst.bits_per_pixel() / 8, srcBytes = src.bits_per_pixel() / 8;
  auto at = [](std::int64_t x, int bytes) { return static_cast<std::size_t>(x) * static_cast<std::size_t>(bytes); };
  // Rows of a small shape lie a picture's width apart, beyond what the processor guesses:
  // each row's pixels are asked for a few rows ahead.
  constexpr std::int64_t kAhead = 8;
  auto prefetch = [&](std::int64_t row) {
    const std::uint8_t* p = dst.Row(static_cast<std::int32_t>(row));
    for (std::int64_t x = x0; x < x1; x += 64 / dstBytes) __builtin_prefetch(p + at(x, dstBytes), 1);
  };
  for (std::int64_t y = y0; y < y1 && y < y0 + kAhead; ++y) prefetch(y);
  // The clip's bands in order, from the first that reaches row y0.
  const std::vector<RasterRegion::Band>& bands = clip.bands();
  auto band = std::upper_bound(bands.begin(), bands.end(), y0,
                               [](std::int64_t v, const RasterRegion::Band& b) { return v < b.bottom; });
  for (std::int64_t y = y0; y < y1; ++y) {
    if (y + kAhead < y1) prefetch(y + kAhead);
    while (band != bands.end() && band->bottom <= y) ++band;
    if (band == bands.end()) break;
    if (y < band->top) continue;
    std::uint8_t* drow = dst.Row(static_cast<std::int32_t>(y));
    const std::uint8_t* srow = src.Row(static_cast<std::int32_t>(y + dy));
    const RegionSpan* spans = clip.spans().data() + band->first;
    for (std::uint32_t k = 0; k < band->count; ++k) {
      const std::int64_t l = std::max<std::int64_t>(spans[k].left, x0);
      const std::int64_t r = std::min<std::int64_t>(spans[k].right, x1);
      if (l < r)
        BlendRow(drow + at(l, dstBytes), dstBytes, srow + at(l + dx, srcBytes),
                 srcBytes, static_cast<std::int32_t>(r - l), alpha);
    }
  }
}

}  // namespace corvane
