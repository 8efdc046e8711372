#include "control/bmp_export.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace corvane {
namespace {

std::uint32_t Le32(const std::vector<unsigned char>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}
std::uint32_t Le16(const std::vector<unsigned char>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8);
}

std::vector<unsigned char> Headers(std::int32_t w, std::int32_t h) {
  std::uint8_t raw[kBmpHeadersSize];
  if (!BuildBmpHeaders(w, h, raw)) return {};
  return std::vector<unsigned char>(raw, raw + kBmpHeadersSize);
}

std::vector<unsigned char> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::u16string U16(const std::string& s) { return std::u16string(s.begin(), s.end()); }

class TempDir {
 public:
  TempDir() {
    char tmpl[] = "/tmp/corvane-bmp-XXXXXX";
    path_ = ::mkdtemp(tmpl);
  }
  ~TempDir() {
    ::chmod(path_.c_str(), 0755);
    std::system(("chmod -R u+w '" + path_ + "' 2>/dev/null; rm -rf '" + path_ + "'").c_str());
  }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    if (DIR* d = ::opendir(path_.c_str())) {
      while (dirent* e = ::readdir(d))
        if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
          names.push_back(e->d_name);
      ::closedir(d);
    }
    return names;
  }

 private:
  std::string path_;
};

TEST(BmpHeadersTest, OnePixelFileIsFiftyEightBytes) {
  const std::vector<unsigned char> h = Headers(1, 1);
  ASSERT_EQ(h.size(), 54u);
  EXPECT_EQ(h[0], 'B');
  EXPECT_EQ(h[1], 'M');
  EXPECT_EQ(Le32(h, 2), 58u);  // file size
  EXPECT_EQ(Le32(h, 6), 0u);   // both reserved words
  EXPECT_EQ(Le32(h, 10), 54u);
  EXPECT_EQ(Le32(h, 14), 40u);
  EXPECT_EQ(Le32(h, 18), 1u);
  EXPECT_EQ(Le32(h, 22), 1u);
  EXPECT_EQ(Le16(h, 26), 1u);   // planes
  EXPECT_EQ(Le16(h, 28), 24u);  // bits per pixel
  EXPECT_EQ(Le32(h, 30), 0u);   // uncompressed
  EXPECT_EQ(Le32(h, 34), 4u);   // image size: one padded row
  for (std::size_t at = 38; at < 54; at += 4) EXPECT_EQ(Le32(h, at), 0u) << at;
}

TEST(BmpHeadersTest, StrideRoundsThreeBytesPerPixelUpToFour) {
  EXPECT_EQ(BmpStride(1), 4);
  EXPECT_EQ(BmpStride(3), 12);
  EXPECT_EQ(BmpStride(4), 12);  // no padding
  EXPECT_EQ(BmpStride(5), 16);
  EXPECT_EQ(BmpStride(0), 0);
  const std::vector<unsigned char> h = Headers(3, 2);
  EXPECT_EQ(Le32(h, 2), 78u);
  EXPECT_EQ(Le32(h, 34), 24u);
  const std::vector<unsigned char> wide = Headers(640, 480);
  EXPECT_EQ(Le32(wide, 18), 640u);
  EXPECT_EQ(Le32(wide, 22), 480u);  // positive: bottom-up
  EXPECT_EQ(Le32(wide, 2), 54u + 1920u * 480u);
}

TEST(BmpHeadersTest, ImpossibleSizesHaveNoHeaders) {
  std::uint8_t raw[kBmpHeadersSize];
  EXPECT_FALSE(BuildBmpHeaders(0, 5, raw));
  EXPECT_FALSE(BuildBmpHeaders(5, 0, raw));
  EXPECT_FALSE(BuildBmpHeaders(-3, 5, raw));
  EXPECT_FALSE(BuildBmpHeaders(5, -3, raw));
  EXPECT_FALSE(BuildBmpHeaders(INT32_MAX, INT32_MAX, raw));  // beyond the 32-bit size field
}

TEST(BmpWriteTest, WritesHeadersThenThePixelBlockUnchanged) {
  TempDir dir;
  const std::string path = dir.File("out.bmp");
  // A 3 x 2 DIB: bottom row first, padding bytes as the section holds them.
  std::vector<unsigned char> pixels(24);
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>(i + 1);
  ASSERT_EQ(WriteBmpFile(U16(path), 3, 2, pixels.data()), kS_OK);
  const std::vector<unsigned char> file = ReadFile(path);
  ASSERT_EQ(file.size(), 78u);
  EXPECT_EQ(std::vector<unsigned char>(file.begin(), file.begin() + 54), Headers(3, 2));
  EXPECT_EQ(std::vector<unsigned char>(file.begin() + 54, file.end()), pixels);
  // Nothing is left beside the target.
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"out.bmp"});
}

TEST(BmpWriteTest, ReplacesALongerFileCompletely) {
  TempDir dir;
  const std::string path = dir.File("old.bmp");
  WriteText(path, std::string(5000, 'x'));
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  const unsigned char pixel[4] = {0x00, 0x00, 0xFF, 0x00};
  ASSERT_EQ(WriteBmpFile(U16(path), 1, 1, pixel), kS_OK);
  const std::vector<unsigned char> file = ReadFile(path);
  ASSERT_EQ(file.size(), 58u);
  EXPECT_EQ(file[54], 0x00);
  EXPECT_EQ(file[56], 0xFF);
  struct stat st;
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);  // the replacement keeps the old permissions
}

TEST(BmpWriteTest, NamesAreFullUnicodeAndLinksAreWrittenThrough) {
  TempDir dir;
  const unsigned char pixel[4] = {};
  // U+0416 in the name: the UTF-8 file name carries it whole.
  const std::u16string name = U16(dir.path() + "/") + u"\u0416.bmp";
  ASSERT_EQ(WriteBmpFile(name, 1, 1, pixel), kS_OK);
  EXPECT_EQ(ReadFile(dir.File("\xD0\x96.bmp")).size(), 58u);

  const std::string real = dir.File("real.bmp");
  WriteText(real, "old");
  ASSERT_EQ(::symlink(real.c_str(), dir.File("link.bmp").c_str()), 0);
  ASSERT_EQ(WriteBmpFile(U16(dir.File("link.bmp")), 1, 1, pixel), kS_OK);
  struct stat st;
  ASSERT_EQ(::lstat(dir.File("link.bmp").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(ReadFile(real).size(), 58u);

  // A dangling link, through a second, relative one, creates the file it names.
  ASSERT_EQ(::symlink("made.bmp", dir.File("dangling.bmp").c_str()), 0);
  ASSERT_EQ(::symlink("dangling.bmp", dir.File("hop.bmp").c_str()), 0);
  ASSERT_EQ(WriteBmpFile(U16(dir.File("hop.bmp")), 1, 1, pixel), kS_OK);
  EXPECT_EQ(ReadFile(dir.File("made.bmp")).size(), 58u);
  ASSERT_EQ(::lstat(dir.File("hop.bmp").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));

  // A loop of links names no file: nothing is written and the links stay.
  ASSERT_EQ(::symlink("loop2.bmp", dir.File("loop1.bmp").c_str()), 0);
  ASSERT_EQ(::symlink("loop1.bmp", dir.File("loop2.bmp").c_str()), 0);
  const std::size_t entries = dir.Entries().size();
  EXPECT_EQ(WriteBmpFile(U16(dir.File("loop1.bmp")), 1, 1, pixel),
            HResultFromWin32(kErrorCantResolveFilename));
  ASSERT_EQ(::lstat(dir.File("loop1.bmp").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(dir.Entries().size(), entries);
}

TEST(BmpWriteTest, UnopenableTargetsGiveWin32FailureCodes) {
  TempDir dir;
  const unsigned char pixel[4] = {};
  const HResult pathNotFound = HResultFromWin32(kErrorPathNotFound);
  const HResult accessDenied = HResultFromWin32(kErrorAccessDenied);
  EXPECT_EQ(static_cast<std::uint32_t>(pathNotFound), 0x80070003u);
  EXPECT_EQ(static_cast<std::uint32_t>(accessDenied), 0x80070005u);

  EXPECT_EQ(WriteBmpFile(U16(dir.File("missing/a.bmp")), 1, 1, pixel), pathNotFound);
  WriteText(dir.File("plain"), "a file, not a directory");
  EXPECT_EQ(WriteBmpFile(U16(dir.File("plain/a.bmp")), 1, 1, pixel), pathNotFound);
  ASSERT_EQ(::mkdir(dir.File("sub").c_str(), 0755), 0);
  EXPECT_EQ(WriteBmpFile(U16(dir.File("sub")), 1, 1, pixel), accessDenied);
  EXPECT_EQ(WriteBmpFile(u"", 1, 1, pixel), kE_INVALIDARG);
  EXPECT_EQ(WriteBmpFile(U16(dir.File("a.bmp")), 0, 1, pixel), kE_INVALIDARG);
  EXPECT_EQ(dir.Entries().size(), 2u);  // "plain" and "sub" only
}

// The read-only cases, as a count of failed checks. Root ignores permissions, so under root
// they run in a child that has dropped to an unprivileged user.
int ReadOnlyTargetFailures(const TempDir& dir) {
  int failures = 0;
  const unsigned char pixel[4] = {};
  const std::string path = dir.File("ro.bmp");
  WriteText(path, "old");
  if (::chmod(path.c_str(), 0444) != 0) return 100;
  failures += WriteBmpFile(U16(path), 1, 1, pixel) != HResultFromWin32(kErrorAccessDenied);
  failures += ReadFile(path).size() != 3u;

  const std::string locked = dir.File("locked");
  if (::mkdir(locked.c_str(), 0755) != 0) return 100;
  WriteText(locked + "/a.bmp", "old");
  if (::chmod(locked.c_str(), 0555) != 0) return 100;
  failures += WriteBmpFile(U16(locked + "/a.bmp"), 1, 1, pixel) !=
              HResultFromWin32(kErrorAccessDenied);
  failures += ReadFile(locked + "/a.bmp").size() != 3u;
  return failures;
}

TEST(BmpWriteTest, ReadOnlyTargetOrDirectoryKeepsTheOldFile) {
  TempDir dir;
  if (::geteuid() != 0) {
    EXPECT_EQ(ReadOnlyTargetFailures(dir), 0);
    return;
  }
  ASSERT_EQ(::chmod(dir.File("").c_str(), 0777), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const uid_t nobody = 65534;
    if (::setgid(nobody) != 0 || ::setuid(nobody) != 0) ::_exit(101);
    ::_exit(ReadOnlyTargetFailures(dir));
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 101) GTEST_SKIP() << "cannot drop to an unprivileged user";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "failed read-only checks (100: setup failed)";
}

TEST(BmpWriteTest, FailedWriteLeavesTheExistingFileIntact) {
  TempDir dir;
  const std::string path = dir.File("keep.bmp");
  WriteText(path, "previous picture");
  std::vector<unsigned char> pixels(static_cast<std::size_t>(BmpStride(100)) * 100, 0x7F);

  // A file-size limit makes the write fail part-way, whoever runs the test.
  struct rlimit saved;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  struct sigaction ignore = {}, previous = {};
  ignore.sa_handler = SIG_IGN;
  ::sigaction(SIGXFSZ, &ignore, &previous);
  struct rlimit small = saved;
  small.rlim_cur = 1000;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const HResult hr = WriteBmpFile(U16(path), 100, 100, pixels.data());
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::sigaction(SIGXFSZ, &previous, nullptr);

  EXPECT_EQ(hr, HResultFromWin32(kErrorDiskFull));
  const std::vector<unsigned char> kept = ReadFile(path);
  EXPECT_EQ(std::string(kept.begin(), kept.end()), "previous picture");
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"keep.bmp"});
}

}  // namespace
}  // namespace corvane
