// The PNG of SaveToPng: a 24-bit DIB encoded as an 8-bit RGB PNG by the platform's encoder
// (libpng in the portable build, WIC on Windows). Both encode the same pixels; the bytes of
// the files may differ, what a decoder reads back does not.
#pragma once
#include <cstdint>
#include <vector>

#include "control/bmp_export.h"
#include "platform/hresult.h"

namespace corvane {

// Replaces *png with the encoded picture. Returns S_OK, E_INVALIDARG for a picture of no
// size or no pixels, E_OUTOFMEMORY when memory runs short, or the encoder's failure; *png is
// left empty on failure.
HResult EncodePng(const DibRows& dib, std::vector<std::uint8_t>* png);

}  // namespace corvane
