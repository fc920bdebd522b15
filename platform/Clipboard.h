// The system clipboard.
#pragma once

#include <string>

class TBitmap;

void ClipboardPutText(const std::u16string& text);
// Empty when the clipboard holds no text.
std::u16string ClipboardGetText();
bool ClipboardHasText();
void ClipboardPutBitmap(const TBitmap& picture);
