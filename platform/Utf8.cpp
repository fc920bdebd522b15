#include "Utf8.h"

#include "QtText.h"

std::string ToUtf8(const std::u16string& text) { return ToQString(text).toStdString(); }
