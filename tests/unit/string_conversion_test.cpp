// UTF-16 <-> UTF-8 conversions of the portable build.
#include "platform/string_conversion.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace corvane {
namespace {

std::string Narrow(const std::u16string& s) {
  return NarrowFromUtf16(s.data(), static_cast<std::uint32_t>(s.size()));
}

const std::string kReplacement = "\xEF\xBF\xBD";

TEST(StringConversion, EncodesCyrillicAccentedLatinAndAstralCharacters) {
  EXPECT_EQ(Narrow(u"\u0416"), "\xD0\x96");
  EXPECT_EQ(Narrow(u"caf\u00E9"), "caf\xC3\xA9");
  EXPECT_EQ(Narrow(u"\u20AC"), "\xE2\x82\xAC");
  EXPECT_EQ(Narrow(u"\U0001F600"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(Narrow(u"\U0010FFFF"), "\xF4\x8F\xBF\xBF");

  EXPECT_EQ(WidenToUtf16("\xD0\x96"), u"\u0416");
  EXPECT_EQ(WidenToUtf16("caf\xC3\xA9"), u"caf\u00E9");
  EXPECT_EQ(WidenToUtf16("\xF0\x9F\x98\x80"), u"\U0001F600");
}

TEST(StringConversion, EveryCodePointRoundTrips) {
  std::u16string all;
  for (char32_t c = 1; c < 0x10000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    all.push_back(static_cast<char16_t>(c));
  }
  for (char32_t c = 0x10000; c <= 0x10FFFF; c += 0x3FF) {
    all.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
    all.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
  }
  EXPECT_EQ(WidenToUtf16(Narrow(all)), all);
}

TEST(StringConversion, UnpairedSurrogatesBecomeReplacementCharacters) {
  const std::u16string lone_high{u'a', 0xD800, u'b'};
  const std::u16string lone_low{u'a', 0xDC00, u'b'};
  const std::u16string high_high{0xD83D, 0xD83D, 0xDE00};
  const std::u16string reversed{0xDE00, 0xD83D};
  EXPECT_EQ(Narrow(lone_high), "a" + kReplacement + "b");
  EXPECT_EQ(Narrow(lone_low), "a" + kReplacement + "b");
  EXPECT_EQ(Narrow(high_high), kReplacement + "\xF0\x9F\x98\x80");
  EXPECT_EQ(Narrow(reversed), kReplacement + kReplacement);
}

TEST(StringConversion, StopsAtTheLengthOrTheFirstNull) {
  const std::u16string with_null{u'a', u'b', 0, u'c'};
  EXPECT_EQ(Narrow(with_null), "ab");
  EXPECT_EQ(NarrowFromUtf16(u"abc", 2), "ab");
  EXPECT_EQ(NarrowFromUtf16(u"abc", 0), "");
  EXPECT_EQ(NarrowFromUtf16(nullptr, 10), "");
  EXPECT_EQ(WidenToUtf16(std::string("x\0y", 3)), u"x");
  EXPECT_EQ(WidenToUtf16(""), u"");
}

TEST(StringConversion, NeverReadsPastTheGivenLength) {
  // A high surrogate in the last counted unit is unpaired even if a low one follows in
  // memory; the exact-size heap copy lets the address sanitizer catch an over-read.
  const char16_t pair[] = {0xD83D, 0xDE00};
  EXPECT_EQ(NarrowFromUtf16(pair, 1), kReplacement);
  auto exact = std::make_unique<char16_t[]>(1);
  exact[0] = 0xD83D;
  EXPECT_EQ(NarrowFromUtf16(exact.get(), 1), kReplacement);
}

TEST(StringConversion, InvalidUtf8BecomesOneReplacementPerBadSequence) {
  const std::u16string r = u"\uFFFD";
  EXPECT_EQ(WidenToUtf16("a\x80" "b"), u"a" + r + u"b");       // stray continuation byte
  EXPECT_EQ(WidenToUtf16("a\xE2\x82" "b"), u"a" + r + u"b");   // truncated three-byte form
  EXPECT_EQ(WidenToUtf16("a\xE2\x82"), u"a" + r);              // truncated at the end
  EXPECT_EQ(WidenToUtf16("\xC0\xAF"), r + r);                 // overlong '/'
  EXPECT_EQ(WidenToUtf16("\xE0\x80\xAF"), r + r + r);         // overlong, three bytes
  EXPECT_EQ(WidenToUtf16("\xED\xA0\x80"), r + r + r);         // encoded surrogate
  EXPECT_EQ(WidenToUtf16("\xF4\x90\x80\x80"), r + r + r + r); // above U+10FFFF
  EXPECT_EQ(WidenToUtf16("\xFF\xFE"), r + r);
  EXPECT_EQ(WidenToUtf16("\xC3" "A"), r + u"A");              // the bad byte does not eat 'A'
}

}  // namespace
}  // namespace corvane
