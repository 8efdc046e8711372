#include "tests/gallery/script_runner.h"

#include <cctype>
#include <cstdlib>
#include <sstream>

#include "tests/gallery/script_members.h"
#include "tests/gallery/script_value.h"

namespace corvane::gallery {
namespace {

// One statement's text, read left to right.
class Cursor {
 public:
  Cursor(const std::string& text, const std::vector<std::string>& arguments)
      : s_(text), arguments_(arguments) {}

  void SkipSpace() {
    while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t')) ++i_;
  }
  bool AtEnd() {
    SkipSpace();
    return i_ >= s_.size() || s_[i_] == '\'';  // a comment may end a statement
  }
  bool Take(char c) {
    SkipSpace();
    if (i_ < s_.size() && s_[i_] == c) return ++i_, true;
    return false;
  }
  void Expect(char c) {
    if (!Take(c)) throw ScriptError(std::string("expected '") + c + "'");
  }
  std::string Word() {
    SkipSpace();
    const std::size_t start = i_;
    while (i_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[i_])) || s_[i_] == '_')) ++i_;
    return s_.substr(start, i_ - start);
  }
  // Takes `word` (any case) when it comes next.
  bool TakeWord(const char* word) {
    const std::size_t save = i_;
    const std::string w = Word();
    if (Lower(w) == Lower(word)) return true;
    i_ = save;
    return false;
  }

  Value Expression() {
    SkipSpace();
    if (i_ >= s_.size()) throw ScriptError("a value was expected");
    if (s_[i_] == '"') return Text();
    if (s_[i_] == '-' || s_[i_] == '&' || s_[i_] == '.' || std::isdigit(static_cast<unsigned char>(s_[i_])))
      return Num(NumberLiteral());
    const std::string w = Lower(Word());
    if (w == "true") return Num(-1);
    if (w == "false") return Num(0);
    if (w == "array") {
      Value v;
      v.kind = Value::kArray;
      Expect('(');
      if (!Take(')')) {
        do v.items.push_back(NumberLiteral());
        while (Take(','));
        Expect(')');
      }
      return v;
    }
    if (w == "rgb") {
      Expect('(');
      double channel[3];
      for (int k = 0; k < 3; ++k) {
        if (k) Expect(',');
        channel[k] = NumberLiteral();
        if (channel[k] < 0 || channel[k] > 255 || channel[k] != static_cast<int>(channel[k]))
          throw ScriptError("RGB takes whole numbers 0..255");
      }
      Expect(')');
      return Num(channel[0] + 256.0 * channel[1] + 65536.0 * channel[2]);
    }
    if (w == "wscript" && Take('.') && TakeWord("Arguments")) {
      Expect('(');
      const double n = NumberLiteral();
      Expect(')');
      if (n < 0 || n >= static_cast<double>(arguments_.size()) || n != static_cast<int>(n))
        throw ScriptError("WScript.Arguments(" + std::to_string(static_cast<long long>(n)) +
                          ") was not given");
      Value v;
      v.kind = Value::kText;
      v.text = arguments_[static_cast<std::size_t>(n)];
      return v;
    }
    throw ScriptError("unknown value '" + w + "'");
  }

 private:
  static std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
  }
  static Value Num(double d) {
    Value v;
    v.number = d;
    return v;
  }

  double NumberLiteral() {
    SkipSpace();
    const bool negative = i_ < s_.size() && s_[i_] == '-';
    if (negative) ++i_;
    if (i_ + 1 < s_.size() && s_[i_] == '&' && (s_[i_ + 1] == 'H' || s_[i_ + 1] == 'h')) {
      i_ += 2;
      const std::size_t start = i_;
      while (i_ < s_.size() && std::isxdigit(static_cast<unsigned char>(s_[i_]))) ++i_;
      if (i_ == start || i_ - start > 8) throw ScriptError("bad hexadecimal number");
      std::uint32_t bits = static_cast<std::uint32_t>(std::strtoul(s_.substr(start, i_ - start).c_str(), nullptr, 16));
      if (i_ < s_.size() && s_[i_] == '&') ++i_;  // the Long suffix
      // VBScript reads &HFFFFFFFF& as the Long -1; a colour only keeps its bits.
      const double d = static_cast<double>(static_cast<std::int32_t>(bits));
      return negative ? -d : d;
    }
    const char* begin = s_.c_str() + i_;
    char* end = nullptr;
    const double d = std::strtod(begin, &end);
    if (end == begin || *begin == '+' || *begin == ' ') throw ScriptError("a number was expected");
    i_ += static_cast<std::size_t>(end - begin);
    return negative ? -d : d;
  }

  Value Text() {
    Value v;
    v.kind = Value::kText;
    ++i_;  // the opening quote
    for (;;) {
      if (i_ >= s_.size()) throw ScriptError("unterminated string");
      const char c = s_[i_++];
      if (c == '"') {
        if (i_ < s_.size() && s_[i_] == '"') {
          v.text += '"';
          ++i_;
          continue;
        }
        return v;
      }
      if (static_cast<unsigned char>(c) >= 0x80) throw ScriptError("gallery strings are ASCII");
      v.text += c;
    }
  }

  const std::string& s_;
  const std::vector<std::string>& arguments_;
  std::size_t i_ = 0;
};

std::string Hex(HResult hr) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(hr));
  return buf;
}

void RunStatement(const std::string& text, const std::vector<std::string>& arguments, CorvaneAutomation& chart,
                  bool* created) {
  Cursor in(text, arguments);
  if (in.AtEnd()) return;
  if (in.TakeWord("Option")) {
    if (!in.TakeWord("Explicit") || !in.AtEnd()) throw ScriptError("only Option Explicit is understood");
    return;
  }
  if (in.TakeWord("Set")) {
    if (!in.TakeWord("chart")) throw ScriptError("the chart object is called chart");
    in.Expect('=');
    if (!in.TakeWord("CreateObject")) throw ScriptError("expected CreateObject");
    in.Expect('(');
    const Value progId = in.Expression();
    in.Expect(')');
    if (progId.kind != Value::kText || progId.text != "Corvane.CorvaneEx" || !in.AtEnd())
      throw ScriptError("expected CreateObject(\"Corvane.CorvaneEx\")");
    *created = true;
    return;
  }
  if (!in.TakeWord("chart") || !in.Take('.')) throw ScriptError("a statement is chart.Member ...");
  if (!*created) throw ScriptError("chart used before CreateObject");
  const std::string name = in.Word();
  std::vector<Value> values;
  bool put = in.Take('=');
  if (!put && in.Take('(')) {  // an indexed property: chart.Name(index) = value
    do values.push_back(in.Expression());
    while (in.Take(','));
    in.Expect(')');
    in.Expect('=');
    put = true;
    values.push_back(in.Expression());
  } else if (put) {
    values.push_back(in.Expression());
  } else if (!in.AtEnd()) {
    do values.push_back(in.Expression());
    while (in.Take(','));
  }
  if (!in.AtEnd()) throw ScriptError("unexpected text after the arguments");
  const ScriptMember* member = FindMember(name, put);
  if (!member) throw ScriptError(std::string(put ? "no property put " : "no method ") + name);
  if (static_cast<int>(values.size()) != member->arity)
    throw ScriptError(name + " takes " + std::to_string(member->arity) + " argument(s)");
  const HResult hr = member->run(chart, Args(values));
  if (hr != kS_OK) throw ScriptError(name + " failed with " + Hex(hr));
}

}  // namespace

std::string RunScript(const std::string& source, const std::vector<std::string>& arguments,
                      CorvaneAutomation& chart) {
  std::istringstream lines(source);
  std::string line, statement;
  int number = 0, first = 0;
  bool created = false;
  while (std::getline(lines, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (statement.empty()) first = number;
    // " _" at the end continues the statement on the next line.
    if (line.size() >= 2 && line.compare(line.size() - 2, 2, " _") == 0) {
      statement += line.substr(0, line.size() - 1);
      continue;
    }
    statement += line;
    try {
      RunStatement(statement, arguments, chart, &created);
    } catch (const std::exception& e) {
      return "line " + std::to_string(first) + ": " + e.what();
    }
    statement.clear();
  }
  if (!statement.empty()) return "line " + std::to_string(first) + ": the script ends inside a statement";
  return "";
}

}  // namespace corvane::gallery
