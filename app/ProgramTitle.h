// The program's name and version, as the window's title and the report give
// them; the version is the project's (CMakeLists.txt).
#pragma once

constexpr char16_t ProgramTitle[] = u"Orvak SE version " ORVAK_VERSION;
