// The 24-bit bottom-up BMP file of SaveToFile: a 14-byte file header, a 40-byte information
// header and the pixel rows of a 24-bit DIB section, written as they are.
//
// The file is written to a new file beside the target and then renamed over it, so a failed
// write never leaves the target half-written or truncated: an existing file either stays as
// it was or is replaced by the complete picture.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/hresult.h"

namespace corvane {

constexpr std::size_t kBmpFileHeaderSize = 14;
constexpr std::size_t kBmpInfoHeaderSize = 40;
constexpr std::size_t kBmpHeadersSize = kBmpFileHeaderSize + kBmpInfoHeaderSize;

// The pixels of a 24-bit bottom-up DIB: height rows of BmpStride(width) bytes, bottom row
// first, each pixel the bytes B, G, R.
struct DibRows {
  std::int32_t width;
  std::int32_t height;
  const std::uint8_t* bits;
};

// Win32 error codes the export reports (through HResultFromWin32).
constexpr std::uint32_t kErrorFileNotFound = 2;
constexpr std::uint32_t kErrorPathNotFound = 3;
constexpr std::uint32_t kErrorAccessDenied = 5;
constexpr std::uint32_t kErrorWriteFault = 29;
constexpr std::uint32_t kErrorDiskFull = 112;
constexpr std::uint32_t kErrorFilenameTooLong = 206;
constexpr std::uint32_t kErrorCantResolveFilename = 1921;

// Bytes per pixel row: 3 * w rounded up to a multiple of 4. 0 for w <= 0.
std::int64_t BmpStride(std::int32_t width);

// Both headers for a w x h picture; false (nothing written) when w <= 0, h <= 0 or the
// file would exceed the 32-bit size field.
bool BuildBmpHeaders(std::int32_t width, std::int32_t height,
                     std::uint8_t (&headers)[kBmpHeadersSize]);

// The file name a BSTR argument names: its code units up to the first null character (a
// null pointer names nothing). Throws std::bad_alloc.
std::u16string FileNameArgument(const char16_t* fileName, std::uint32_t len);

// Writes the file `fileName` (UTF-16; on POSIX converted to UTF-8, on Windows used as the wide
// name). `pixels` holds height rows of BmpStride(width) bytes, bottom row first, as a 24-bit
// DIB section keeps them. Returns S_OK or a failure HRESULT: E_INVALIDARG for an empty name or
// an impossible size, HRESULT_FROM_WIN32 of ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED,
// ERROR_DISK_FULL, ERROR_WRITE_FAULT, ... when the file cannot be created, written or
// closed, E_FAIL when no better code is known.
HResult WriteBmpFile(const std::u16string& fileName, std::int32_t width, std::int32_t height,
                     const void* pixels);

// One block of the file; the platform writer puts the blocks one after the other.
struct FileBlock {
  const void* data;
  std::size_t size;
};

// Platform part (bmp_export_posix.cpp / bmp_export_win.cpp): creates a new file beside
// `fileName`, writes the blocks, closes it and renames it over `fileName`; on any failure
// removes the new file and leaves `fileName` untouched.
HResult ReplaceFileContents(const std::u16string& fileName, const FileBlock* blocks,
                            std::size_t count);

}  // namespace corvane
