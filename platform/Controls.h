// The component and control model the self-drawn controls build on. A control
// on screen owns a platform window (hidden from the controls) and a window
// surface: a bitmap the size of the control whose content is what the screen
// shows. Both are made when first needed, so a control that never goes on
// screen (a model, a drawing helper) owns neither. Drawing on Canvas() updates
// the screen; the platform asks for Paint() when the window is first shown,
// resized or invalidated.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "Canvas.h"
#include "Font.h"
#include "PlatformTypes.h"

class QWidget;
class ControlHost;
class TBitmap;

class TObject {
 public:
  virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
// WheelDelta: 120 a notch, positive when the wheel turns away from the user.
// A handler that uses the turn sets Handled; otherwise it goes to the parent.
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta,
                                            int X, int Y, bool& Handled)>;

class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* AOwner = nullptr) : FOwner(AOwner) {}

  TComponent* Owner() const { return FOwner; }
  const std::u16string& Name() const { return FName; }
  void SetName(const std::u16string& name) { FName = name; }

  // Between BeginLoading() and Loaded() the component takes its values from a
  // window layout.
  bool IsLoading() const { return FLoading; }
  void BeginLoading() { FLoading = true; }
  virtual void Loaded() { FLoading = false; }

 private:
  TComponent* FOwner;
  std::u16string FName;
  bool FLoading = false;
};

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner = nullptr);
  ~TControl() override;

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
  void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
  void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
  void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }

  // The property, not whether the window is on screen at the moment.
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool value);

  TFont& Font() { return FFont; }
  // The colour behind the control (its parent's background).
  TColor Color() const { return FColor; }
  void SetColor(TColor value) { FColor = value; }

  // The window surface. Asking for its canvas makes the window too.
  TCanvas& Canvas();
  const TBitmap& Surface() const;

  // Whether the platform window exists yet: it comes into existence when it
  // is first shown inside the program's window, or at HandleNeeded().
  bool HandleAllocated() const { return FHandleAllocated; }
  // Creates the window now if it does not exist yet.
  void HandleNeeded();
  // Asks the platform to call Paint() later.
  void Invalidate();
  virtual void Paint() {}

  // Default handling of the input notifications: raise the matching event.
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void Click();
  virtual void DblClick();
  virtual void MouseEnter();
  virtual void MouseLeave();
  // True when the turn was used (by default: when OnMouseWheel set Handled).
  virtual bool MouseWheel(TShiftState Shift, int WheelDelta, int X, int Y);

  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TMouseWheelEvent OnMouseWheel;

  // Placement in the program's window (the controls never call these).
  // Placing a control in a parent makes its widget; Widget() is null until
  // the control needs one.
  void SetParentWidget(QWidget* parent);
  QWidget* Widget() const;

 protected:
  // Called once when the window comes into existence.
  virtual void CreateWnd() {}
  // Only window controls take the focus.
  virtual bool Focusable() const { return false; }
  // The widget, made now if the control has never had one.
  ControlHost* ensureHost();
  // The widget if there is one.
  ControlHost* host() const;

 private:
  friend class ControlHost;
  void windowCreated();
  TBitmap& surface() const;

  int FLeft = 0;
  int FTop = 0;
  int FWidth = 0;
  int FHeight = 0;
  bool FVisible = true;
  bool FEnabled = true;
  bool FHandleAllocated = false;
  TColor FColor = clBtnFace;
  TFont FFont;
  mutable std::unique_ptr<TBitmap> FSurface;  // made on first use
  struct HostLink;                            // the platform window, deleted with the control
  std::unique_ptr<HostLink> FHost;
};

// The control a widget is the window of; null for any other widget. Lets a
// caller that walks a window's widgets (a test, a tool) reach the controls.
TControl* ControlOfWidget(QWidget* widget);

// A focusable control with its own window and keyboard input.
class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner = nullptr) : TControl(AOwner) {}

  bool Focused() const;
  virtual void SetFocus();
  // The dialog navigation's next-control request to the parent window.
  void SelectNextControl(bool forward);

  // Key notifications with virtual key codes (KeyCodes.h). Tab and Shift+Tab
  // arrive here too; a Tab that KeyDown leaves in Key while the control keeps
  // the focus then moves the focus on, as dialog navigation does.
  virtual void KeyDown(uint16_t& Key, TShiftState Shift) { (void)Key, (void)Shift; }
  // A key-down as the platform delivers it: with the character the keyboard
  // layout types for the key (TypedCharacter), 0 when it types none. Key is 0
  // for a key that only types a character the key codes do not name. By
  // default it is KeyDown(Key, Shift) for the keys with a code.
  virtual void TypedKeyDown(uint16_t& Key, TShiftState Shift, char16_t Typed) {
    (void)Typed;
    if (Key != 0) KeyDown(Key, Shift);
  }
  virtual void KeyUp(uint16_t& Key, TShiftState Shift) { (void)Key, (void)Shift; }
  // The control received or lost the focus.
  virtual void DoEnter() {}
  virtual void DoExit() {}

 protected:
  bool Focusable() const override { return true; }
};

// A graphic control: it takes no focus, and before the platform asks it to
// paint, its surface shows what the parent shows there (its Color() where the
// parent paints nothing), as if it painted on its parent.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* AOwner = nullptr) : TControl(AOwner) {}
};
