// The system clipboard.
#pragma once

#include <string>

class TBitmap;

void ClipboardPutText(const std::u16string& text);
// Empty when the clipboard holds no text.
std::u16string ClipboardGetText();
bool ClipboardHasText();
// Offered as image/png, image/bmp and every other image type the platform
// writes, so it pastes into image editors, office documents and chats. An
// empty picture empties the clipboard.
void ClipboardPutBitmap(const TBitmap& picture);
// The picture on the clipboard; false, with picture unchanged, when there is
// none.
bool ClipboardGetBitmap(TBitmap& picture);
