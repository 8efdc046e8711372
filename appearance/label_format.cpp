// Reading label format codes: first into raw pieces, then, once it is known whether the code
// is a date code or a number code, into the tokens the formatter walks.
#include "appearance/label_format.h"

#include <cctype>
#include <cstddef>
#include <utility>

namespace corvane {
namespace {

using Code = LabelFormat::Code;
using Token = LabelFormat::Token;

enum class Raw {
  kLiteral, kDateSeparator, kZero, kHash, kDot, kComma, kPercent, kExponent, kLetters, kAmPm,
};

struct Piece {
  Raw raw;
  std::string text;  // literal text, the exponent's "E+", the AM/PM marker
  char letter = 0;   // date letters, lower case
  int run = 0;       // how many of them in a row
};

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Case-insensitive prefix test at code[i].
bool StartsWith(const std::string& code, std::size_t i, const char* word) {
  for (std::size_t k = 0; word[k]; ++k)
    if (i + k >= code.size() || Lower(code[i + k]) != word[k]) return false;
  return true;
}

// Characters that stand for themselves without quotes.
bool IsPlainLiteral(char c) {
  return c == ' ' || c == '-' || c == '+' || c == '(' || c == ')' || c == '$';
}

bool IsDateLetter(char lower) {
  return lower == 'y' || lower == 'm' || lower == 'd' || lower == 'h' || lower == 'n' ||
         lower == 's';
}

void AddLiteral(std::vector<Piece>* pieces, std::string text) {
  if (!pieces->empty() && pieces->back().raw == Raw::kLiteral)
    pieces->back().text += text;
  else
    pieces->push_back(Piece{Raw::kLiteral, std::move(text)});
}

bool SplitIntoPieces(const std::string& code, std::vector<Piece>* pieces) {
  for (std::size_t i = 0; i < code.size();) {
    const char c = code[i];
    const char lower = Lower(c);
    if (c == '"') {
      const std::size_t close = code.find('"', i + 1);
      if (close == std::string::npos) return false;
      AddLiteral(pieces, code.substr(i + 1, close - i - 1));
      i = close + 1;
    } else if (c == '\\') {
      if (i + 1 >= code.size()) return false;
      AddLiteral(pieces, std::string(1, code[i + 1]));
      i += 2;
    } else if (c == '0' || c == '#' || c == '.' || c == ',' || c == '%') {
      const Raw raw = c == '0' ? Raw::kZero : c == '#' ? Raw::kHash : c == '.' ? Raw::kDot
                      : c == ',' ? Raw::kComma : Raw::kPercent;
      pieces->push_back(Piece{raw, std::string(1, c)});
      ++i;
    } else if (lower == 'e' && i + 1 < code.size() && (code[i + 1] == '+' || code[i + 1] == '-')) {
      pieces->push_back(Piece{Raw::kExponent, code.substr(i, 2)});
      i += 2;
    } else if (StartsWith(code, i, "am/pm") || StartsWith(code, i, "a/p")) {
      const std::size_t n = StartsWith(code, i, "am/pm") ? 5 : 3;
      pieces->push_back(Piece{Raw::kAmPm, code.substr(i, n)});
      i += n;
    } else if (IsDateLetter(lower)) {
      std::size_t j = i;
      while (j < code.size() && Lower(code[j]) == lower) ++j;
      Piece p{Raw::kLetters, std::string()};
      p.letter = lower;
      p.run = static_cast<int>(j - i);
      pieces->push_back(p);
      i = j;
    } else if (c == '/' || c == ':') {
      pieces->push_back(Piece{Raw::kDateSeparator, std::string(1, c)});
      ++i;
    } else if (IsPlainLiteral(c)) {
      AddLiteral(pieces, std::string(1, c));
      ++i;
    } else {
      return false;  // an unknown code, a control character, a byte of another script
    }
  }
  return true;
}

bool DateCode(const Piece& p, Token* t) {
  struct Run {
    char letter;
    int run;
    Code code;
  };
  static const Run kRuns[] = {
      {'y', 4, Code::kYear4},     {'y', 2, Code::kYear2},    {'m', 4, Code::kMonthName},
      {'m', 3, Code::kMonthAbbr}, {'m', 2, Code::kMonth2},   {'m', 1, Code::kMonth1},
      {'d', 4, Code::kDayName},   {'d', 3, Code::kDayAbbr},  {'d', 2, Code::kDay2},
      {'d', 1, Code::kDay1},      {'h', 2, Code::kHour2},    {'h', 1, Code::kHour1},
      {'n', 2, Code::kMinute2},   {'n', 1, Code::kMinute1},  {'s', 2, Code::kSecond2},
      {'s', 1, Code::kSecond1},
  };
  for (const Run& r : kRuns) {
    if (r.letter == p.letter && r.run == p.run) {
      t->code = r.code;
      return true;
    }
  }
  return false;
}

bool IsHour(Code c) { return c == Code::kHour1 || c == Code::kHour2; }
bool IsSecond(Code c) { return c == Code::kSecond1 || c == Code::kSecond2; }
bool IsMonthNumber(Code c) { return c == Code::kMonth1 || c == Code::kMonth2; }

// m and mm are minutes right after an hour or right before the seconds ("hh:mm", "mm:ss"),
// literals between them aside.
void ResolveMinutes(std::vector<Token>* tokens) {
  auto neighbour = [&](std::size_t k, int direction) -> const Token* {
    for (std::size_t j = k + direction; j < tokens->size(); j += direction)
      if ((*tokens)[j].code != Code::kLiteral) return &(*tokens)[j];
    return nullptr;  // j wraps past 0 to a huge index going down
  };
  for (std::size_t k = 0; k < tokens->size(); ++k) {
    Token& t = (*tokens)[k];
    if (!IsMonthNumber(t.code)) continue;
    const Token* before = neighbour(k, -1);
    const Token* after = neighbour(k, +1);
    if ((before && IsHour(before->code)) || (after && IsSecond(after->code)))
      t.code = t.code == Code::kMonth1 ? Code::kMinute1 : Code::kMinute2;
  }
}

bool ReadDateCode(const std::vector<Piece>& pieces, std::vector<Token>* tokens) {
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    const Piece& p = pieces[k];
    Token t{Code::kLiteral, p.text};
    switch (p.raw) {
      case Raw::kLiteral:
      case Raw::kDateSeparator:
      case Raw::kComma:
        break;
      case Raw::kLetters:
        if (!DateCode(p, &t)) return false;
        break;
      case Raw::kAmPm:
        t.code = Code::kAmPm;
        break;
      case Raw::kDot: {
        // .0, .00 or .000 right after the seconds; any other point separates like "dd.mm".
        std::size_t zeros = 0;
        while (k + 1 + zeros < pieces.size() && pieces[k + 1 + zeros].raw == Raw::kZero) ++zeros;
        if (zeros == 0 || tokens->empty() || !IsSecond(tokens->back().code)) break;
        if (zeros > 3) return false;
        t.code = Code::kFraction;
        t.count = static_cast<int>(zeros);
        k += zeros;
        break;
      }
      default:
        return false;  // a number placeholder in a date code
    }
    tokens->push_back(std::move(t));
  }
  ResolveMinutes(tokens);
  return true;
}

bool IsPlaceholder(const Piece* p) { return p && (p->raw == Raw::kZero || p->raw == Raw::kHash); }

bool ReadNumberCode(const std::vector<Piece>& pieces, std::vector<Token>* tokens) {
  enum Phase { kInteger = 0, kFractionPart = 1, kExponentPart = 2 };
  Phase phase = kInteger;
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    const Piece& p = pieces[k];
    const Piece* before = k > 0 ? &pieces[k - 1] : nullptr;
    const Piece* after = k + 1 < pieces.size() ? &pieces[k + 1] : nullptr;
    Token t{Code::kLiteral, p.text};
    switch (p.raw) {
      case Raw::kLiteral:
        break;
      case Raw::kZero:
      case Raw::kHash:
        t.code = p.raw == Raw::kZero ? Code::kDigitZero : Code::kDigitHash;
        t.count = phase;
        break;
      case Raw::kDot:
        if (phase != kInteger) return false;
        t.code = Code::kPoint;
        phase = kFractionPart;
        break;
      case Raw::kComma:
        // Between two integer placeholders: thousands separators. Right after a placeholder
        // (or after such a comma) and before none: each divides by a thousand. Anywhere else
        // it is text.
        if (phase == kInteger && IsPlaceholder(before) && IsPlaceholder(after)) {
          t.code = Code::kGrouping;
        } else if (phase != kExponentPart && !IsPlaceholder(after) &&
                   (IsPlaceholder(before) ||
                    (!tokens->empty() && tokens->back().code == Code::kThousands))) {
          t.code = Code::kThousands;
        }
        break;
      case Raw::kPercent:
        t.code = Code::kPercent;
        break;
      case Raw::kExponent:
        if (phase == kExponentPart || !IsPlaceholder(after)) return false;
        t.code = Code::kExponent;
        phase = kExponentPart;
        break;
      default:
        return false;  // a date code, or a fraction or time separator, in a number code
    }
    tokens->push_back(std::move(t));
  }
  return true;
}

}  // namespace

bool LabelFormat::Parse(const std::string& code, LabelFormat* out) {
  if (code.empty() || code.size() > kMaxLength) return false;
  std::vector<Piece> pieces;
  if (!SplitIntoPieces(code, &pieces)) return false;
  bool date = false;
  for (const Piece& p : pieces)
    if (p.raw == Raw::kLetters || p.raw == Raw::kAmPm) date = true;

  LabelFormat parsed;
  parsed.kind_ = date ? Kind::kDate : Kind::kNumber;
  const bool read = date ? ReadDateCode(pieces, &parsed.tokens_)
                         : ReadNumberCode(pieces, &parsed.tokens_);
  if (!read) return false;
  if (!date && !parsed.LayOutNumber()) return false;
  *out = std::move(parsed);
  return true;
}

}  // namespace corvane
