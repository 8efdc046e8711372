// The three ways a rendered picture leaves the component on Windows besides a file: a picture
// object, the clipboard and a caller's device context. Each takes the picture as SaveToFile
// renders it (CorvaneAutomation::get_Picture) and leaves no GDI object or memory behind it
// on failure.
#pragma once
#include <windows.h>
#include <ocidl.h>

#include "control/automation.h"

namespace corvane {

// A new picture object holding a copy of the pixels in a bitmap that the picture owns and
// deletes at its final Release.
HRESULT NewPictureDisp(const DibPicture& picture, IPictureDisp** out);

// Puts the pixels on the clipboard as CF_DIB, replacing what it held. CLIPBRD_E_CANT_OPEN
// when another window holds the clipboard, CLIPBRD_E_CANT_EMPTY / CLIPBRD_E_CANT_SET when
// the clipboard refuses, E_OUTOFMEMORY.
HRESULT CopyDibToClipboard(const DibPicture& picture);

// Copies the pixels into `dc` with the top-left corner at (x, y), one pixel for one pixel.
// E_FAIL with the system's error when the device refuses them.
HRESULT DrawDib(HDC dc, LONG x, LONG y, const DibPicture& picture);

// Whether `dc` names a device context of this process (screen, memory, printer, metafile).
bool IsDeviceContext(HDC dc);

}  // namespace corvane
