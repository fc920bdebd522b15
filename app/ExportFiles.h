// Files the window writes on request: the first chart's picture as PNG and
// the calculated lengths as CSV. A file is replaced only by a complete write,
// so a failing save leaves what was there before.
#pragma once

#include <string>

class TBitmap;

// The picture encoded as a PNG file.
std::string PngBytes(const TBitmap& picture);

// Writes data as the whole content of the file. Throws EFileError with a
// message naming the file and the reason when it cannot be written.
void WriteWholeFile(const std::u16string& fileName, const std::string& data);
