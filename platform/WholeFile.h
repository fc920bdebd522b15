// Writing a file whole, so that a failing save loses nothing: the content
// goes into a new file beside the target, which replaces the target only
// when every byte of it is on the disk.
#pragma once

#include <string>
#include <string_view>

// Writes data as the whole content of the file. Throws EFileError, with a
// message naming the file and the reason, when any step fails (creating,
// writing, syncing, closing, renaming); an existing file is then left as it
// was. A name that exists but is no regular file (a device, a pipe, a
// folder), or a file the user may not write, is refused and left alone. A link to a regular file
// stays a link: the file it points to gets the new content. An existing file keeps its permissions.
void WriteWholeFile(const std::u16string& fileName, std::string_view data);
