// The byte encoding of fuzz inputs: a reader that turns any bytes into argument values a
// caller could pass (pool extremes, raw bit patterns, hostile UTF-16), and a writer that
// encodes chosen values the same way for the seed corpus. An exhausted input reads as zeros.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace corvane::fuzz {

// Selector bytes. Integers: below kIntRaw a small value (byte - kIntBias); kIntRaw: four raw
// bytes follow; above: an entry of IntPool().
constexpr std::uint8_t kIntBias = 32;
constexpr std::uint8_t kIntRaw = 0xE0;
// Reals: below kRealRaw a quarter step (byte - kRealBias) / 4; kRealRaw: eight raw bytes
// (any bit pattern: NaN payloads, denormals); above: an entry of RealPool().
constexpr std::uint8_t kRealBias = 0x60;
constexpr std::uint8_t kRealRaw = 0xC0;
// Texts: the first byte is the length in code units (below kTextNull); kTextNull is a null
// pointer; kTextLong a long text (two bytes of length, one code unit repeated). Each code
// unit: below 0x80 that ASCII code (0 included); kUnitRaw: two raw bytes; above: UnitPool().
constexpr std::uint8_t kTextNull = 0xFE;
constexpr std::uint8_t kTextLong = 0xFF;
constexpr std::uint8_t kUnitRaw = 0x80;

inline const std::vector<std::int32_t>& IntPool() {
  static const std::vector<std::int32_t> pool = {
      0, 1, -1, 2, 7, 8, 9, 15, 16, 21, 22, 255, 256, 1000, 1 << 20, 1 << 30,
      32767, 32768, -32768, 65535, INT32_MAX, INT32_MIN, INT32_MIN + 1, INT32_MAX - 1};
  return pool;
}

inline const std::vector<double>& RealPool() {
  using L = std::numeric_limits<double>;
  static const std::vector<double> pool = {
      L::quiet_NaN(), -L::quiet_NaN(), L::infinity(), -L::infinity(), 0.0, -0.0,
      L::denorm_min(), -L::denorm_min(), 2.2250738585072009e-308 /* largest subnormal */,
      L::min(), L::max(), -L::max(), 1e308, -1e308, 1e300, -1e300, 1e-300, 2147483647.0,
      2147483648.0, -2147483648.0, -2147483649.0, 9007199254740993.0, 1e9, -1e9, 1e15, 0.5,
      1.0, -1.0, 1e-9, 4294967296.0, 0.1, 99.99, 1e6, -1e6, 3.0e7, L::signaling_NaN()};
  return pool;
}

inline const std::vector<char16_t>& UnitPool() {
  static const std::vector<char16_t> pool = {
      0xD800, 0xDBFF, 0xDC00, 0xDFFF, 0xFFFF, 0xFFFE, 0xFEFF, 0xFFFD, 0x00E9, 0x0416,
      0x4E2D, 0x00A0, 0x2028, 0x0301, 0x202E, u'%', u'/', u'\\', u'.', u'\n'};
  return pool;
}

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : p_(data), end_(data + size) {}

  bool done() const { return p_ >= end_; }
  std::uint8_t Byte() { return p_ < end_ ? *p_++ : 0; }
  std::uint16_t U16() { return static_cast<std::uint16_t>(Byte() | (Byte() << 8)); }
  std::uint32_t U32() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(Byte()) << (8 * i);
    return v;
  }
  std::uint64_t U64() { return U32() | (static_cast<std::uint64_t>(U32()) << 32); }
  // A value below n (n > 0).
  std::uint32_t Below(std::uint32_t n) { return Byte() % n; }

  std::int32_t Int() {
    const std::uint8_t s = Byte();
    if (s < kIntRaw) return static_cast<std::int32_t>(s) - kIntBias;
    if (s == kIntRaw) return static_cast<std::int32_t>(U32());
    return IntPool()[(s - kIntRaw - 1) % IntPool().size()];
  }
  double Real() {
    const std::uint8_t s = Byte();
    if (s < kRealRaw) return (static_cast<int>(s) - kRealBias) / 4.0;
    if (s == kRealRaw) {
      const std::uint64_t bits = U64();
      double v;
      std::memcpy(&v, &bits, sizeof v);
      return v;
    }
    return RealPool()[(s - kRealRaw - 1) % RealPool().size()];
  }
  std::uint32_t Colour() { return U32(); }
  std::int16_t Bool() { return static_cast<std::int16_t>(U16()); }

  // A text and whether it is a null pointer.
  std::u16string Text(bool* isNull) {
    *isNull = false;
    const std::uint8_t n = Byte();
    if (n == kTextNull) {
      *isNull = true;
      return std::u16string();
    }
    if (n == kTextLong) {
      const std::size_t len = U16();
      return std::u16string(len, Unit());
    }
    std::u16string s(n, u' ');
    for (char16_t& c : s) c = Unit();
    return s;
  }

 private:
  char16_t Unit() {
    const std::uint8_t k = Byte();
    if (k < kUnitRaw) return static_cast<char16_t>(k);
    if (k == kUnitRaw) return static_cast<char16_t>(U16());
    return UnitPool()[(k - kUnitRaw - 1) % UnitPool().size()];
  }

  const std::uint8_t* p_;
  const std::uint8_t* end_;
};

// Encodes values so that Reader reads them back exactly.
class Writer {
 public:
  void Byte(std::uint8_t b) { bytes_.push_back(b); }
  void U16(std::uint16_t v) {
    Byte(static_cast<std::uint8_t>(v));
    Byte(static_cast<std::uint8_t>(v >> 8));
  }
  void U32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) Byte(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  void Int(std::int32_t v) {
    if (v >= -kIntBias && v < kIntRaw - kIntBias) {
      Byte(static_cast<std::uint8_t>(v + kIntBias));
    } else {
      Byte(kIntRaw);
      U32(static_cast<std::uint32_t>(v));
    }
  }
  void Real(double v) {
    const double quarters = v * 4.0 + kRealBias;
    if (quarters >= 0 && quarters < kRealRaw && quarters == static_cast<int>(quarters) &&
        !(v == 0 && std::signbit(v))) {
      Byte(static_cast<std::uint8_t>(quarters));
      return;
    }
    Byte(kRealRaw);
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof v);
    U32(static_cast<std::uint32_t>(bits));
    U32(static_cast<std::uint32_t>(bits >> 32));
  }
  void Colour(std::uint32_t c) { U32(c); }
  void Bool(std::int16_t b) { U16(static_cast<std::uint16_t>(b)); }
  // Texts of up to 0xFD code units (longer ones are cut there: the seeds need no more).
  void Text(const std::u16string& text) {
    const std::size_t n = text.size() < kTextNull ? text.size() : kTextNull - 1;
    Byte(static_cast<std::uint8_t>(n));
    for (std::size_t i = 0; i < n; ++i) {
      if (text[i] < kUnitRaw) {
        Byte(static_cast<std::uint8_t>(text[i]));
      } else {
        Byte(kUnitRaw);
        U16(text[i]);
      }
    }
  }

  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace corvane::fuzz
