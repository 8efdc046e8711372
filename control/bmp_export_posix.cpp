// POSIX file side of the BMP export: UTF-8 name, a new file in the target's directory,
// rename() over the target.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "control/bmp_export.h"
#include "platform/string_conversion.h"

namespace corvane {
namespace {

HResult FromErrno(int err) {
  switch (err) {
    case ENOENT:
    case ENOTDIR:
      return HResultFromWin32(kErrorPathNotFound);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
      return HResultFromWin32(kErrorAccessDenied);
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:
      return HResultFromWin32(kErrorDiskFull);
    case EIO:
      return HResultFromWin32(kErrorWriteFault);
    case ENAMETOOLONG:
      return HResultFromWin32(kErrorFilenameTooLong);
    case ELOOP:
      return HResultFromWin32(kErrorCantResolveFilename);
    case ENOMEM:
      return kE_OUTOFMEMORY;
    default:
      return kE_FAIL;
  }
}

// Writes everything or reports why not; a write that makes no progress without an errno
// counts as a write fault.
HResult WriteAll(int fd, const void* data, std::size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    const std::size_t chunk = size > (std::size_t{1} << 30) ? (std::size_t{1} << 30) : size;
    const ssize_t n = ::write(fd, p, chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      return FromErrno(errno);
    }
    if (n == 0) return HResultFromWin32(kErrorWriteFault);
    p += n;
    size -= static_cast<std::size_t>(n);
  }
  return kS_OK;
}

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// A symbolic link is written through, as opening the name for writing would, so the link
// stays a link; a dangling one names the file to create. False for a loop of links.
bool ResolveTarget(std::string* path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (::lstat(path->c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    if (char* real = ::realpath(path->c_str(), nullptr)) {
      *path = real;
      std::free(real);
      return true;
    }
    if (errno == ELOOP) return false;
    std::string link(static_cast<std::size_t>(PATH_MAX), '\0');
    const ssize_t n = ::readlink(path->c_str(), &link[0], link.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= link.size()) return true;
    link.resize(static_cast<std::size_t>(n));
    *path = link[0] == '/' ? link : DirectoryOf(*path) + "/" + link;
  }
  return false;
}

}  // namespace

HResult ReplaceFileContents(const std::u16string& fileName, const FileBlock* blocks,
                            std::size_t count) {
  std::string target =
      NarrowFromUtf16(fileName.data(), static_cast<std::uint32_t>(fileName.size()));
  if (target.empty() || target.back() == '/') return kE_INVALIDARG;
  if (!ResolveTarget(&target)) return HResultFromWin32(kErrorCantResolveFilename);

  // An existing target that may not be written stays as it is, as opening it would fail.
  struct stat st;
  const bool exists = ::stat(target.c_str(), &st) == 0;
  if (exists) {
    if (S_ISDIR(st.st_mode)) return HResultFromWin32(kErrorAccessDenied);
    if (::access(target.c_str(), W_OK) != 0) return FromErrno(errno);
  }

  static std::atomic<unsigned> counter{0};
  const std::string dir = DirectoryOf(target);
  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ".corvane-%ld-%u.tmp", static_cast<long>(::getpid()),
                  counter.fetch_add(1));
    temp = (dir == "/" ? std::string("/") : dir + "/") + suffix;
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return FromErrno(errno);
  }
  if (fd < 0) return kE_FAIL;

  // The replacement keeps the permissions the old file had.
  if (exists) ::fchmod(fd, st.st_mode & 07777);
  HResult hr = kS_OK;
  for (std::size_t i = 0; i < count && hr == kS_OK; ++i)
    hr = WriteAll(fd, blocks[i].data, blocks[i].size);
  if (::close(fd) != 0 && hr == kS_OK) hr = FromErrno(errno);
  if (hr == kS_OK && ::rename(temp.c_str(), target.c_str()) != 0) hr = FromErrno(errno);
  if (hr != kS_OK) ::unlink(temp.c_str());
  return hr;
}

}  // namespace corvane
