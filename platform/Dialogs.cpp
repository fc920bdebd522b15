#include "Dialogs.h"

#include <QApplication>
#include <QMessageBox>

#include "QtText.h"

namespace {

std::function<void(const std::u16string&)>& MessageHook() {
  static std::function<void(const std::u16string&)> hook;
  return hook;
}
std::function<void(const std::string&)>& ErrorHook() {
  static std::function<void(const std::string&)> hook;
  return hook;
}
std::function<void()>& BeepHook() {
  static std::function<void()> hook;
  return hook;
}

QWidget* dialogParent() { return QApplication::activeWindow(); }

}  // namespace

void ShowMessage(const std::u16string& text) {
  if (MessageHook()) return MessageHook()(text);
  QMessageBox box(QMessageBox::NoIcon,
                  QApplication::applicationDisplayName(),
                  ToQString(text),
                  QMessageBox::Ok,
                  dialogParent());
  box.exec();
}

void ShowErrorBox(const std::string& message) {
  if (ErrorHook()) return ErrorHook()(message);
  QMessageBox box(QMessageBox::Critical,
                  QApplication::applicationDisplayName(),
                  QString::fromUtf8(message),
                  QMessageBox::Ok,
                  dialogParent());
  box.exec();
}

void MessageBeep() {
  if (BeepHook()) return BeepHook()();
  QApplication::beep();
}

void SetMessageBoxHook(std::function<void(const std::u16string&)> hook) {
  MessageHook() = std::move(hook);
}
void SetErrorBoxHook(std::function<void(const std::string&)> hook) {
  ErrorHook() = std::move(hook);
}
void SetBeepHook(std::function<void()> hook) { BeepHook() = std::move(hook); }
