// UTF-16 texts in test messages: compared as they are, printed as UTF-8.
#pragma once

#include <string>

#include "platform/Utf8.h"

// For messages (SCOPED_TRACE, <<): the text as UTF-8, every character shown.
inline std::string Utf8(const std::u16string& text) { return ToUtf8(text); }
