#include "server/registry_script.h"

#include <cwctype>
#include <utility>

namespace corvane::server {
namespace {

enum class TokenKind { kWord, kQuoted, kOpen, kClose, kEquals };

struct Token {
  TokenKind kind;
  std::wstring text;
};

// Nesting deeper than this is refused rather than recursed into.
constexpr int kMaxDepth = 32;

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

bool EqualsNoCase(const std::wstring& a, const wchar_t* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i] != 0; ++i) {
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  }
  return i == a.size() && b[i] == 0;
}

class Parser {
 public:
  Parser(const std::wstring& text, const Substitutions& subs) : text_(text), subs_(subs) {}

  ScriptParseResult Run() {
    ScriptParseResult result;
    if (Tokenise() && ParseScript(&result.script)) {
      result.ok = true;
    } else {
      result.error = error_;
      result.script = RegistryScript{};
    }
    return result;
  }

 private:
  bool Fail(const std::wstring& what) {
    if (error_.empty()) {
      error_ = what;
      if (parsing_ && pos_ < tokens_.size()) error_ += L" near '" + tokens_[pos_].text + L"'";
    }
    return false;
  }

  bool Substitute(std::wstring* text) {
    std::wstring out;
    for (std::size_t i = 0; i < text->size(); ++i) {
      if ((*text)[i] != L'%') {
        out += (*text)[i];
        continue;
      }
      std::size_t end = text->find(L'%', i + 1);
      if (end == std::wstring::npos) return Fail(L"unterminated %NAME% in '" + *text + L"'");
      std::wstring name = text->substr(i + 1, end - i - 1);
      if (name.empty()) {
        out += L'%';
      } else {
        auto it = subs_.find(name);
        if (it == subs_.end()) return Fail(L"unknown substitution %" + name + L"%");
        out += it->second;
      }
      i = end;
    }
    *text = std::move(out);
    return true;
  }

  bool Tokenise() {
    std::size_t i = 0;
    const std::size_t n = text_.size();
    while (i < n) {
      wchar_t c = text_[i];
      if (IsSpace(c) || c == 0xFEFF) {
        ++i;
      } else if (c == L'=') {
        tokens_.push_back({TokenKind::kEquals, L"="});
        ++i;
      } else if (c == L'\'') {
        std::wstring s;
        ++i;
        bool closed = false;
        while (i < n) {
          if (text_[i] == L'\'') {
            if (i + 1 < n && text_[i + 1] == L'\'') {
              s += L'\'';
              i += 2;
              continue;
            }
            ++i;
            closed = true;
            break;
          }
          s += text_[i++];
        }
        if (!closed) return Fail(L"unterminated quoted string '" + s);
        if (!Substitute(&s)) return false;
        tokens_.push_back({TokenKind::kQuoted, std::move(s)});
      } else {
        std::wstring s;
        while (i < n && !IsSpace(text_[i]) && text_[i] != L'=' && text_[i] != L'\'') {
          s += text_[i++];
        }
        if (s == L"{") {
          tokens_.push_back({TokenKind::kOpen, s});
        } else if (s == L"}") {
          tokens_.push_back({TokenKind::kClose, s});
        } else {
          if (!Substitute(&s)) return false;
          tokens_.push_back({TokenKind::kWord, std::move(s)});
        }
      }
    }
    return true;
  }

  bool AtEnd() const { return pos_ >= tokens_.size(); }
  bool Is(TokenKind kind) const { return !AtEnd() && tokens_[pos_].kind == kind; }
  bool IsName() const { return Is(TokenKind::kWord) || Is(TokenKind::kQuoted); }
  bool IsKeyword(const wchar_t* word) const {
    return Is(TokenKind::kWord) && EqualsNoCase(tokens_[pos_].text, word);
  }

  bool Expect(TokenKind kind, const wchar_t* what) {
    if (!Is(kind)) return Fail(std::wstring(L"expected ") + what);
    ++pos_;
    return true;
  }

  bool TakeName(std::wstring* name) {
    if (!IsName() || tokens_[pos_].text.empty()) return Fail(L"expected a name");
    *name = tokens_[pos_++].text;
    return true;
  }

  // = s 'data'
  bool TakeStringValue(std::wstring* data) {
    if (!Expect(TokenKind::kEquals, L"'='")) return false;
    if (!IsKeyword(L"s")) return Fail(L"only string values (s) are supported");
    ++pos_;
    if (!IsName()) return Fail(L"expected the value data");
    *data = tokens_[pos_++].text;
    return true;
  }

  bool ParseScript(RegistryScript* script) {
    parsing_ = true;
    while (!AtEnd()) {
      RegistryRootBlock block;
      if (IsKeyword(L"HKCR") || IsKeyword(L"HKEY_CLASSES_ROOT")) {
        block.root = RegistryRoot::kClassesRoot;
      } else if (IsKeyword(L"HKCU") || IsKeyword(L"HKEY_CURRENT_USER")) {
        block.root = RegistryRoot::kCurrentUser;
      } else if (IsKeyword(L"HKLM") || IsKeyword(L"HKEY_LOCAL_MACHINE")) {
        block.root = RegistryRoot::kLocalMachine;
      } else {
        return Fail(L"expected a root key (HKCR, HKCU, HKLM)");
      }
      ++pos_;
      if (!Expect(TokenKind::kOpen, L"'{'")) return false;
      while (!Is(TokenKind::kClose)) {
        if (AtEnd()) return Fail(L"missing '}'");
        RegistryKey key;
        if (!ParseKey(&key, 1)) return false;
        block.keys.push_back(std::move(key));
      }
      ++pos_;
      script->roots.push_back(std::move(block));
    }
    return true;
  }

  bool ParseKey(RegistryKey* key, int depth) {
    if (depth > kMaxDepth) return Fail(L"keys nested too deeply");
    if (IsKeyword(L"NoRemove")) {
      key->removal = KeyRemoval::kNoRemove;
      ++pos_;
    } else if (IsKeyword(L"ForceRemove")) {
      key->removal = KeyRemoval::kForceRemove;
      ++pos_;
    }
    if (IsKeyword(L"val")) return Fail(L"a value belongs inside a key");
    if (!TakeName(&key->name)) return false;
    if (Is(TokenKind::kEquals)) {
      RegistryValue def;
      if (!TakeStringValue(&def.data)) return false;
      key->values.push_back(std::move(def));
    }
    if (!Is(TokenKind::kOpen)) return true;
    ++pos_;
    while (!Is(TokenKind::kClose)) {
      if (AtEnd()) return Fail(L"missing '}'");
      if (IsKeyword(L"val")) {
        ++pos_;
        RegistryValue value;
        if (!TakeName(&value.name)) return false;
        if (!TakeStringValue(&value.data)) return false;
        key->values.push_back(std::move(value));
      } else {
        RegistryKey sub;
        if (!ParseKey(&sub, depth + 1)) return false;
        key->subkeys.push_back(std::move(sub));
      }
    }
    ++pos_;
    return true;
  }

  const std::wstring& text_;
  const Substitutions& subs_;
  std::vector<Token> tokens_;
  std::size_t pos_ = 0;
  bool parsing_ = false;
  std::wstring error_;
};

}  // namespace

ScriptParseResult ParseRegistryScript(const std::wstring& text, const Substitutions& subs) {
  return Parser(text, subs).Run();
}

}  // namespace corvane::server
