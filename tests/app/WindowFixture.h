// The main window under test: shown, with the locale's decimal separator
// fixed to '.', and the message and error boxes hooked so that a test reads
// what they would have shown.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>
#include <string>
#include <vector>

#include "app/u_frmMain.h"
#include "platform/Dialogs.h"
#include "platform/Locale.h"

struct WindowFixture : ::testing::Test {
  std::vector<std::u16string> messages;
  std::vector<std::string> errors;
  std::unique_ptr<TfrmMain> window;

  void SetUp() override {
    SetLocaleDecimalSeparator(u'.');
    SetMessageBoxHook([this](const std::u16string& text) { messages.push_back(text); });
    SetErrorBoxHook([this](const std::string& text) { errors.push_back(text); });
    window = std::make_unique<TfrmMain>();
    prepare(*window);
    window->show();
    QApplication::processEvents();
  }
  void TearDown() override {
    window.reset();
    SetMessageBoxHook(nullptr);
    SetErrorBoxHook(nullptr);
    SetLocaleDecimalSeparator(0);
  }

 protected:
  // What a test needs set before the window is shown.
  virtual void prepare(TfrmMain&) {}
};
