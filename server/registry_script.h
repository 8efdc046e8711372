// The registration scripts carried as REGISTRY resources, in this notation:
//
//   HKCR
//   {
//     NoRemove CLSID                      key that unregistration never deletes
//     {
//       ForceRemove {guid} = s 'text'     deleted with its subtree before it is written
//       {
//         InprocServer32 = s '%MODULE%'   default value of the key
//         {
//           val ThreadingModel = s 'Apartment'   named value
//         }
//       }
//     }
//   }
//
// Names are bare words or quoted with ' ('' is a quote inside). Braces are separate
// words. %NAME% is replaced from the substitution table after tokenising, so a module path
// holding a quote or brace cannot change the structure; %% is a percent sign. Only string
// values (s) exist. This file has no Windows dependency so the parser can be tested alone.
#pragma once
#include <map>
#include <string>
#include <vector>

namespace corvane::server {

enum class RegistryRoot { kClassesRoot, kCurrentUser, kLocalMachine };

enum class KeyRemoval { kNormal, kNoRemove, kForceRemove };

struct RegistryValue {
  std::wstring name;  // empty for the key's default value
  std::wstring data;
};

struct RegistryKey {
  std::wstring name;
  KeyRemoval removal = KeyRemoval::kNormal;
  std::vector<RegistryValue> values;  // the default value, if any, comes first
  std::vector<RegistryKey> subkeys;
};

struct RegistryRootBlock {
  RegistryRoot root = RegistryRoot::kClassesRoot;
  std::vector<RegistryKey> keys;
};

struct RegistryScript {
  std::vector<RegistryRootBlock> roots;
};

using Substitutions = std::map<std::wstring, std::wstring>;  // "MODULE" -> path

struct ScriptParseResult {
  bool ok = false;
  std::wstring error;  // what went wrong and near which word
  RegistryScript script;
};

ScriptParseResult ParseRegistryScript(const std::wstring& text, const Substitutions& subs);

}  // namespace corvane::server
