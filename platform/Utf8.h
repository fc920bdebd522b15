// UTF-16 texts of the library as UTF-8, for error messages.
#pragma once

#include <string>

std::string ToUtf8(const std::u16string& text);
