// Windows file side of the BMP export: the full UTF-16 name, a new file in the target's
// directory, MoveFileExW over the target.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <atomic>
#include <cwchar>
#include <string>

#include "control/bmp_export.h"

namespace corvane {
namespace {

HResult FromLastError() {
  const DWORD err = ::GetLastError();
  return err == 0 ? kE_FAIL : HResultFromWin32(err);
}

std::wstring ToWide(const std::u16string& s) {
  return std::wstring(s.begin(), s.end());  // wchar_t is UTF-16 on Windows
}

std::wstring DirectoryOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) {
    // "C:name" lives in the current directory of drive C.
    if (path.size() >= 2 && path[1] == L':') return path.substr(0, 2);
    return L".";
  }
  return path.substr(0, slash + 1);
}

// An existing file is reached through its final name, so that a link is written through,
// as opening the name for writing would, and stays a link. Any other name stands as given.
std::wstring FinalNameOf(const std::wstring& path) {
  // Room for the longest name Windows has, made before the handle so nothing throws with
  // the handle open.
  std::wstring name(32768, L'\0');
  const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  HANDLE file = ::CreateFileW(path.c_str(), 0, share, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return path;
  const DWORD n = ::GetFinalPathNameByHandleW(file, &name[0], static_cast<DWORD>(name.size()),
                                              FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  ::CloseHandle(file);
  if (n == 0 || n >= name.size()) return path;
  name.resize(n);
  return name;
}

}  // namespace

HResult ReplaceFileContents(const std::u16string& fileName, const FileBlock* blocks,
                            std::size_t count) {
  std::wstring target = ToWide(fileName);
  const std::size_t nul = target.find(L'\0');
  if (nul != std::wstring::npos) target.resize(nul);
  if (target.empty()) return kE_INVALIDARG;
  target = FinalNameOf(target);

  const DWORD attrs = ::GetFileAttributesW(target.c_str());
  if (attrs != INVALID_FILE_ATTRIBUTES &&
      (attrs & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0)
    return HResultFromWin32(ERROR_ACCESS_DENIED);

  static std::atomic<unsigned> counter{0};
  std::wstring dir = DirectoryOf(target);
  if (!dir.empty() && dir.back() != L'\\' && dir.back() != L'/' && dir.back() != L':')
    dir += L'\\';
  std::wstring temp;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
    wchar_t suffix[64];
    std::swprintf(suffix, 64, L".corvane-%lu-%u.tmp",
                  static_cast<unsigned long>(::GetCurrentProcessId()), counter.fetch_add(1));
    temp = dir + suffix;
    file = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS)
      return FromLastError();
  }
  if (file == INVALID_HANDLE_VALUE) return kE_FAIL;

  HResult hr = kS_OK;
  for (std::size_t i = 0; i < count && hr == kS_OK; ++i) {
    const char* p = static_cast<const char*>(blocks[i].data);
    std::size_t left = blocks[i].size;
    while (left > 0 && hr == kS_OK) {
      const DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
      DWORD written = 0;
      if (!::WriteFile(file, p, chunk, &written, nullptr))
        hr = FromLastError();
      else if (written == 0)
        hr = HResultFromWin32(ERROR_WRITE_FAULT);
      p += written;
      left -= written;
    }
  }
  if (!::CloseHandle(file) && hr == kS_OK) hr = FromLastError();
  if (hr == kS_OK &&
      !::MoveFileExW(temp.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    hr = FromLastError();
  if (hr != kS_OK) ::DeleteFileW(temp.c_str());
  return hr;
}

}  // namespace corvane
