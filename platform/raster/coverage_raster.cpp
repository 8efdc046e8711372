#include "platform/raster/coverage_raster.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace corvane {

namespace {

// Integral of clamp(u, 0, 1): the area a unit-wide pixel keeps to the right of an edge
// point u to its left.
double RampIntegral(double u) {
  if (u <= 0) return 0;
  if (u < 1) return 0.5 * u * u;
  return u - 0.5;
}

// The positions of the lowest and highest set bits of a nonzero word.
int LowestBit(std::uint64_t v) {
#if defined(__GNUC__)
  return __builtin_ctzll(v);
#else
  int n = 0;
  while (!(v & 1)) v >>= 1, ++n;
  return n;
#endif
}
int HighestBit(std::uint64_t v) {
#if defined(__GNUC__)
  return 63 - __builtin_clzll(v);
#else
  int n = 0;
  while (v >>= 1) ++n;
  return n;
#endif
}

}  // namespace

void CoverageRaster::Begin(const IRect& box) {
  box_ = box;
  width_ = std::max(0, box.right - box.left);
  height_ = std::max(0, box.bottom - box.top);
  if (width_ == 0 || height_ == 0) {
    width_ = height_ = 0;
    return;
  }
  stride_ = static_cast<std::size_t>(width_) + 2;
  const std::size_t cells = stride_ * static_cast<std::size_t>(height_);
  if (cells_.size() < cells) cells_.resize(cells, 0.0f);
  const std::size_t blocks = (stride_ >> kBlockBits) + 1;
  block_words_ = (blocks + 63) / 64;
  touched_.assign(block_words_ * static_cast<std::size_t>(height_), 0);
  if (alpha_.size() < static_cast<std::size_t>(width_)) alpha_.resize(static_cast<std::size_t>(width_));
}

void CoverageRaster::AddPolygon(const DPoint* pts, std::size_t n) {
  if (n < 3) return;
  for (std::size_t i = 0; i < n; ++i) AddEdge(pts[i], pts[i + 1 == n ? 0 : i + 1]);
}

void CoverageRaster::AddEdge(DPoint a, DPoint b) {
  if (width_ == 0) return;
  double x0 = a.X - box_.left, y0 = a.Y - box_.top, x1 = b.X - box_.left, y1 = b.Y - box_.top;
  if (!(std::isfinite(x0) && std::isfinite(y0) && std::isfinite(x1) && std::isfinite(y1))) return;
  if (y0 == y1) return;
  const double h = height_, w = width_;
  if (x0 >= 0 && x0 <= w && x1 >= 0 && x1 <= w && y0 >= 0 && y0 <= h && y1 >= 0 && y1 <= h) {
    AddClippedEdge(x0, y0, x1, y1);  // inside the box: nothing to cut
    return;
  }
  // Only the rows of the box matter: the parts above and below cover none of its pixels.
  if ((y0 <= 0 && y1 <= 0) || (y0 >= h && y1 >= h)) return;
  auto cutY = [&](double yc) {
    const double t = (yc - y0) / (y1 - y0);
    return x0 + t * (x1 - x0);
  };
  if (y0 < 0 || y0 > h) {
    const double yc = y0 < 0 ? 0 : h;
    x0 = cutY(yc);
    y0 = yc;
  }
  if (y1 < 0 || y1 > h) {
    const double yc = y1 < 0 ? 0 : h;
    x1 = cutY(yc);
    y1 = yc;
  }
  // Across the columns: the parts left of the box become a vertical edge on its left side
  // (they cover its whole row span to the right), the parts right of it one beyond its right
  // side (they cover nothing inside). Cutting at both sides keeps each piece's area exact.
  double ys[4] = {y0, 0, 0, y1};
  double xs[4] = {x0, 0, 0, x1};
  int count = 1;
  if (x0 != x1) {
    double cuts[2];
    int nc = 0;
    for (double xc : {0.0, w}) {
      if ((x0 < xc && x1 > xc) || (x0 > xc && x1 < xc)) cuts[nc++] = (xc - x0) / (x1 - x0);
    }
    if (nc == 2 && cuts[0] > cuts[1]) std::swap(cuts[0], cuts[1]);
    for (int i = 0; i < nc; ++i) {
      xs[count] = x0 + cuts[i] * (x1 - x0);
      ys[count] = y0 + cuts[i] * (y1 - y0);
      ++count;
    }
  }
  xs[count] = x1;
  ys[count] = y1;
  for (int i = 0; i < count; ++i) {
    const double xa = std::clamp(xs[i], 0.0, w), xb = std::clamp(xs[i + 1], 0.0, w);
    AddClippedEdge(xa, ys[i], xb, ys[i + 1]);
  }
}

void CoverageRaster::AddClippedEdge(double x0, double y0, double x1, double y1) {
  if (y0 == y1) return;
  // Downward edges add, upward ones subtract: the running sum is the winding number.
  double dir = 1;
  if (y0 > y1) {
    std::swap(x0, x1);
    std::swap(y0, y1);
    dir = -1;
  }
  const double dxdy = (x1 - x0) / (y1 - y0);
  // Coordinates inside the box are not negative: truncation is the floor (no library call).
  std::int32_t rowEnd = static_cast<std::int32_t>(y1);
  if (rowEnd < y1) ++rowEnd;
  rowEnd = std::min(rowEnd, height_);
  if (x0 == x1) {
    // Vertical (the sides of every column a dense plot draws): each row splits the same
    // way between the same two cells.
    const std::int32_t i = std::min<std::int32_t>(width_, static_cast<std::int32_t>(x0));
    const float inside = static_cast<float>(i + 1 - x0);
    const std::int32_t block0 = i >> kBlockBits, block1 = (i + 1) >> kBlockBits;
    for (std::int32_t row = static_cast<std::int32_t>(y0); row < rowEnd; ++row) {
      const double top = std::max<double>(row, y0), bottom = std::min<double>(row + 1, y1);
      const float d = static_cast<float>(dir * (bottom - top));
      const std::size_t r = static_cast<std::size_t>(row);
      float* cells = cells_.data() + stride_ * r;
      cells[i] += d * inside;
      cells[i + 1] += d - d * inside;
      std::uint64_t* words = touched_.data() + block_words_ * r;
      words[block0 >> 6] |= std::uint64_t{1} << (block0 & 63);
      words[block1 >> 6] |= std::uint64_t{1} << (block1 & 63);
    }
    return;
  }
  double x = x0;
  for (std::int32_t row = static_cast<std::int32_t>(y0); row < rowEnd; ++row) {
    const double top = std::max<double>(row, y0), bottom = std::min<double>(row + 1, y1);
    if (bottom <= top) continue;
    const double xNext = bottom == y1 ? x1 : x0 + (bottom - y0) * dxdy;
    AddRowPiece(row, x, xNext, dir * (bottom - top));
    x = xNext;
  }
}

// The piece of an edge inside one row, from xa to xb, with signed height d. Pixel i keeps
// d times the mean, over the piece, of how much of [i, i + 1] lies right of the edge; each
// cell receives the difference to the pixel before it, so the row's running sum restores it.
inline void CoverageRaster::AddRowPiece(std::int32_t row, double xa, double xb, double d) {
  const double lo = std::min(xa, xb), hi = std::max(xa, xb);
  const double span = hi - lo;
  const std::int32_t i0 = static_cast<std::int32_t>(lo);  // lo >= 0
  const std::int32_t i1 = std::min<std::int32_t>(width_, static_cast<std::int32_t>(hi));
  float* cells = cells_.data() + stride_ * static_cast<std::size_t>(row);
  if (i1 == i0) {
    // Inside one pixel (steep edges, most of them): it keeps d times the part right of the
    // piece's mean x.
    const double value = d * (i0 + 1 - 0.5 * (lo + hi));
    cells[i0] += static_cast<float>(value);
    cells[i0 + 1] += static_cast<float>(d - value);
  } else {
    double before = 0;
    for (std::int32_t i = i0; i <= i1; ++i) {
      const double covered = (RampIntegral(i + 1 - lo) - RampIntegral(i + 1 - hi)) / span;
      const double value = d * covered;
      cells[i] += static_cast<float>(value - before);
      before = value;
    }
    cells[i1 + 1] += static_cast<float>(d - before);
  }
  std::uint64_t* words = touched_.data() + block_words_ * static_cast<std::size_t>(row);
  for (std::int32_t b = i0 >> kBlockBits, e = (i1 + 1) >> kBlockBits; b <= e; ++b)
    words[b >> 6] |= std::uint64_t{1} << (b & 63);
}

void CoverageRaster::Sweep(FillRule rule, CoverageSink& sink) {
  auto alphaOf = [rule](float sum) {
    float c = std::fabs(sum);
    if (rule == FillRule::kEvenOdd) {
      c = std::fmod(c, 2.0f);
      if (c > 1.0f) c = 2.0f - c;
    } else if (c > 1.0f) {
      c = 1.0f;
    }
    return static_cast<std::uint8_t>(c * 255.0f + 0.5f);
  };
  constexpr std::int32_t kBlock = 1 << kBlockBits;
  for (std::int32_t row = 0; row < height_; ++row) {
    const std::size_t r = static_cast<std::size_t>(row);
    std::uint64_t* words = touched_.data() + block_words_ * r;
    // The first and last touched blocks bound the row's work.
    std::size_t firstWord = 0;
    while (firstWord < block_words_ && words[firstWord] == 0) ++firstWord;
    if (firstWord == block_words_) continue;
    std::size_t lastWord = block_words_ - 1;
    while (words[lastWord] == 0) --lastWord;
    const std::int32_t firstBlock = static_cast<std::int32_t>(64 * firstWord) + LowestBit(words[firstWord]);
    const std::int32_t lastBlock = static_cast<std::int32_t>(64 * lastWord) + HighestBit(words[lastWord]);
    float* cells = cells_.data() + stride_ * r;
    const std::int32_t from = firstBlock << kBlockBits;
    // The cells past the last pixel sum to zero with the rest; they are only cleared.
    const std::int32_t to = std::min(((lastBlock + 1) << kBlockBits) - 1, width_ - 1);
    const std::int32_t y = box_.top + row;
    // Runs of covered pixels go out as they end; a block no edge touched keeps the
    // coverage reached before it, so an uncovered one ends a run and a covered one extends
    // it at that coverage.
    std::int32_t runStart = -1, runLength = 0;
    auto endRun = [&] {
      if (runLength > 0) sink.CoverageRow(y, box_.left + runStart, alpha_.data(), runLength);
      runLength = 0;
    };
    float sum = 0;
    for (std::int32_t i = from; i <= to;) {
      const std::int32_t b = i >> kBlockBits;
      const std::int32_t blockEnd = std::min(to + 1, (b + 1) * kBlock);
      const bool touched = (words[b >> 6] >> (b & 63)) & 1;
      if (!touched) {
        const std::uint8_t a = alphaOf(sum);
        if (a == 0) {
          endRun();
        } else {
          if (runLength == 0) runStart = i;
          std::fill(alpha_.begin() + runLength, alpha_.begin() + runLength + (blockEnd - i), a);
          runLength += blockEnd - i;
        }
        i = blockEnd;
        continue;
      }
      for (; i < blockEnd; ++i) {
        sum += cells[i];
        cells[i] = 0.0f;
        const std::uint8_t a = alphaOf(sum);
        if (a == 0) {
          endRun();
          continue;
        }
        if (runLength == 0) runStart = i;
        alpha_[static_cast<std::size_t>(runLength++)] = a;
      }
    }
    endRun();
    // The cells at and past the last pixel, and the marks, for the next outline.
    cells[width_] = cells[width_ + 1] = 0.0f;
    std::fill(words + firstWord, words + lastWord + 1, 0);
  }
}

}  // namespace corvane
