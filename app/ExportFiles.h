// The first chart's picture as the PNG file the window saves (written
// through WriteWholeFile, platform/WholeFile.h, as the lengths' CSV is).
#pragma once

#include <string>

class TBitmap;

// The picture encoded as a PNG file. Throws EFileError when the encoder fails.
std::string PngBytes(const TBitmap& picture);
