// Message boxes and the beep.
#pragma once

#include <functional>
#include <string>

// Shows the text in a modal box with an OK button; returns when it is closed.
void ShowMessage(const std::u16string& text);
// The standard error box, as the message loop shows an error nobody caught.
void ShowErrorBox(const std::string& message);
// The default message beep.
void MessageBeep();

// For tests: while set, the hooks receive the texts instead of a box opening
// (or the beep sounding).
void SetMessageBoxHook(std::function<void(const std::u16string&)> hook);
void SetErrorBoxHook(std::function<void(const std::string&)> hook);
void SetBeepHook(std::function<void()> hook);
