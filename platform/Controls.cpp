// Controls over Qt widgets. A control that needs a window owns a ControlHost
// widget that shows its window surface (a TBitmap of the control's size) and
// forwards input. Every call into a control is guarded: an error it raises
// goes to the error box and never unwinds through Qt's event dispatch.
//
// Widget and surface are made on demand, as a classic desktop control makes
// its handle: the widget when the control is placed in a parent, given the
// focus, asked for its canvas or for HandleNeeded(); the surface when it is
// first drawn on or read. A control that only serves as a model or as a
// drawing helper owns neither.
//
// The control's window counts as created (HandleAllocated(), CreateWnd()) when
// its host is first shown, which happens when the program's window shows it,
// or earlier when HandleNeeded() asks for it. Until a parent widget is set the
// host stays hidden, so a control never opens a window of its own.
#include "Controls.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWheelEvent>
#include <algorithm>

#include "Application.h"
#include "Bitmap.h"
#include "Colors.h"
#include "ControlHost.h"
#include "KeyCodes.h"
#include "KeyMap.h"
#include "QtPicture.h"

struct TControl::HostLink {
  // A Qt parent deletes its children first when it is destroyed before the
  // control; QPointer then turns null and the control goes on without window.
  QPointer<ControlHost> widget;
  // Made once at most: a window its parent deleted is not made again.
  bool made = false;
};

namespace {

class FlagScope {
 public:
  explicit FlagScope(bool& flag) : FFlag(flag) { FFlag = true; }
  ~FlagScope() { FFlag = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& FFlag;
};

// Fills every pixel outside the top-left keepW x keepH part.
void fillOutside(TBitmap& bmp, int keepW, int keepH, uint32_t pixel) {
  for (int y = 0; y < bmp.Height(); ++y) {
    uint32_t* row = bmp.ScanLine(y);
    const int from = y < keepH ? std::min(keepW, bmp.Width()) : 0;
    std::fill(row + from, row + bmp.Width(), pixel);
  }
}

void showHost(ControlHost* host, bool visible) {
  // Without a parent the host would become a top-level window of its own.
  host->setVisible(visible && host->parentWidget() != nullptr);
}

bool mouseButtonOf(Qt::MouseButton qtButton, TMouseButton& button) {
  switch (qtButton) {
    case Qt::LeftButton:
      button = mbLeft;
      return true;
    case Qt::RightButton:
      button = mbRight;
      return true;
    case Qt::MiddleButton:
      button = mbMiddle;
      return true;
    default:
      return false;
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// ControlHost

ControlHost::ControlHost(TControl* control) : QWidget(nullptr), FControl(control) {
  // The surface covers the whole widget: Qt need not clear it first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);  // moves without a held button reach MouseMove too
  setFocusPolicy(Qt::NoFocus);
}

ControlHost::~ControlHost() = default;

void ControlHost::UpdateFocusPolicy() {
  setFocusPolicy(FControl && FControl->Focusable() ? Qt::StrongFocus : Qt::NoFocus);
}

void ControlHost::Present() {
  if (FInPaint || FPresentPending) return;
  FPresentPending = true;
  update();
}

void ControlHost::MarkStale() {
  FSurfaceCurrent = false;
  update();
}

TWinControl* ControlHost::winControl() const { return dynamic_cast<TWinControl*>(FControl); }

bool ControlHost::event(QEvent* event) {
  // Tab and Shift+Tab go to the control's KeyDown first; QWidget::event would
  // turn them into focus navigation before keyPressEvent saw them.
  if (event->type() == QEvent::KeyPress) {
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    if (keyEvent->key() == Qt::Key_Tab || keyEvent->key() == Qt::Key_Backtab) {
      keyPressEvent(keyEvent);
      return true;
    }
  }
  return QWidget::event(event);
}

void ControlHost::repaintSurface() {
  // Marked current before Paint(): a Paint() that fails must not be asked
  // again by every following paint event.
  FSurfaceCurrent = true;
  if (dynamic_cast<TGraphicControl*>(FControl)) showParentBehind();
  RunGuarded([this] { FControl->Paint(); });
}

// A window-less control draws over what its parent shows there, which the
// parent restores before every paint request: its background and its own
// painting, without the other controls. Where no parent paints, the control's
// Color() stands in.
void ControlHost::showParentBehind() {
  TBitmap& surface = FControl->surface();
  QWidget* parent = parentWidget();
  fillOutside(surface, 0, 0, ColorToPixel(FControl->Color()));
  if (!parent || surface.Width() == 0 || surface.Height() == 0) return;
  QImage behind = BitmapView(surface);  // shares the surface's pixels
  parent->render(&behind, QPoint(), QRegion(geometry()), QWidget::DrawWindowBackground);
}

void ControlHost::paintEvent(QPaintEvent*) {
  FPresentPending = false;  // this paint shows the surface as it is now
  if (!FControl) return;
  const QPointer<ControlHost> self(this);
  {
    FlagScope painting(FInPaint);
    if (!FSurfaceCurrent) repaintSurface();
  }
  if (!self || !FControl) return;
  const TBitmap& surface = FControl->Surface();
  if (surface.Width() == 0 || surface.Height() == 0) return;
  QPainter painter(this);
  painter.drawImage(0, 0, BitmapView(surface));
}

void ControlHost::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (FControl) RunGuarded([this] { FControl->windowCreated(); });
}

void ControlHost::keyPressEvent(QKeyEvent* event) {
  TWinControl* control = winControl();
  uint16_t key = VirtualKeyFromQt(event->key(), event->modifiers());
  const char16_t typed = TypedCharacter(event->text(), event->modifiers());
  if (!control || (key == 0 && typed == 0)) return QWidget::keyPressEvent(event);
  const TShiftState shift = ShiftStateFromQt(event->modifiers(), Qt::NoButton);
  const QPointer<ControlHost> self(this);
  RunGuarded([&] { control->TypedKeyDown(key, shift, typed); });
  // A Tab the control left alone (key not cleared, focus still here) moves
  // on as dialog navigation does, so a control cannot trap the focus.
  if (self && key == VK_TAB && hasFocus()) focusNextPrevChild((shift & ssShift) == 0);
}

void ControlHost::keyReleaseEvent(QKeyEvent* event) {
  TWinControl* control = winControl();
  uint16_t key = VirtualKeyFromQt(event->key(), event->modifiers());
  if (!control || key == 0) return QWidget::keyReleaseEvent(event);
  if (event->isAutoRepeat()) return;  // a held key reports one release at the end
  RunGuarded([&] { control->KeyUp(key, ShiftStateFromQt(event->modifiers(), Qt::NoButton)); });
}

void ControlHost::mousePressEvent(QMouseEvent* event) {
  TMouseButton button;
  if (!FControl || !mouseButtonOf(event->button(), button)) return;
  if (button == mbLeft) FClickPending = true;
  const QPoint p = event->position().toPoint();
  const TShiftState shift = ShiftStateFromQt(event->modifiers(), event->buttons());
  RunGuarded([&] { FControl->MouseDown(button, shift, p.x(), p.y()); });
}

void ControlHost::mouseDoubleClickEvent(QMouseEvent* event) {
  TMouseButton button;
  if (!FControl || !mouseButtonOf(event->button(), button)) return;
  const QPointer<ControlHost> self(this);
  if (button == mbLeft) {
    FClickPending = false;  // the release of a double click is no click
    RunGuarded([this] { FControl->DblClick(); });
    if (!self || !FControl) return;
  }
  // As on the classic desktop, the second press also arrives as a button-down.
  const QPoint p = event->position().toPoint();
  const TShiftState shift = ShiftStateFromQt(event->modifiers(), event->buttons()) | ssDouble;
  RunGuarded([&] { FControl->MouseDown(button, shift, p.x(), p.y()); });
}

void ControlHost::mouseMoveEvent(QMouseEvent* event) {
  if (!FControl) return;
  const QPoint p = event->position().toPoint();
  const TShiftState shift = ShiftStateFromQt(event->modifiers(), event->buttons());
  RunGuarded([&] { FControl->MouseMove(shift, p.x(), p.y()); });
}

void ControlHost::mouseReleaseEvent(QMouseEvent* event) {
  TMouseButton button;
  if (!FControl || !mouseButtonOf(event->button(), button)) return;
  const QPoint p = event->position().toPoint();
  const bool click = button == mbLeft && FClickPending && rect().contains(p);
  if (button == mbLeft) FClickPending = false;
  const QPointer<ControlHost> self(this);
  const TShiftState shift = ShiftStateFromQt(event->modifiers(), event->buttons());
  RunGuarded([&] { FControl->MouseUp(button, shift, p.x(), p.y()); });
  if (click && self && FControl) RunGuarded([this] { FControl->Click(); });
}

// A turn the control does not use goes on to the parent widget, as Qt does
// for widgets that ignore the wheel.
void ControlHost::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (!FControl || delta == 0) return event->ignore();
  const QPoint p = event->position().toPoint();
  const TShiftState shift = ShiftStateFromQt(event->modifiers(), event->buttons());
  bool handled = true;  // a turn whose handler failed is not passed on
  RunGuarded([&] { handled = FControl->MouseWheel(shift, delta, p.x(), p.y()); });
  event->setAccepted(handled);
}

void ControlHost::enterEvent(QEnterEvent*) {
  if (FControl) RunGuarded([this] { FControl->MouseEnter(); });
}

void ControlHost::leaveEvent(QEvent*) {
  if (FControl) RunGuarded([this] { FControl->MouseLeave(); });
}

void ControlHost::focusInEvent(QFocusEvent*) {
  if (TWinControl* control = winControl()) RunGuarded([control] { control->DoEnter(); });
}

void ControlHost::focusOutEvent(QFocusEvent*) {
  if (TWinControl* control = winControl()) RunGuarded([control] { control->DoExit(); });
}

TControl* ControlOfWidget(QWidget* widget) {
  const auto* host = dynamic_cast<ControlHost*>(widget);
  return host ? host->Control() : nullptr;
}

// ---------------------------------------------------------------------------
// TControl

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), FHost(std::make_unique<HostLink>()) {}

TControl::~TControl() {
  if (FSurface) FSurface->Canvas().SetOnChange(nullptr);
  if (ControlHost* host = FHost->widget) {
    host->Detach();  // losing the focus while it goes must not call back
    delete host;
  }
}

ControlHost* TControl::host() const { return FHost->widget.data(); }

ControlHost* TControl::ensureHost() {
  if (FHost->made || !WidgetsAvailable()) return host();
  FHost->made = true;
  auto* widget = new ControlHost(this);
  FHost->widget = widget;
  widget->setGeometry(FLeft, FTop, FWidth, FHeight);
  widget->setEnabled(FEnabled);
  widget->UpdateFocusPolicy();
  showHost(widget, FVisible);
  return widget;
}

TBitmap& TControl::surface() const {
  if (!FSurface) {
    FSurface = std::make_unique<TBitmap>(FWidth, FHeight);
    fillOutside(*FSurface, 0, 0, ColorToPixel(FColor));
    FSurface->Canvas().SetOnChange([this] {
      if (ControlHost* widget = host()) widget->Present();
    });
  }
  return *FSurface;
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  const bool resized = AWidth != FWidth || AHeight != FHeight;
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  if (resized && FSurface) {
    const int oldWidth = FSurface->Width();
    const int oldHeight = FSurface->Height();
    FSurface->SetSize(FWidth, FHeight);
    fillOutside(*FSurface, oldWidth, oldHeight, ColorToPixel(FColor));
  }
  if (ControlHost* widget = host()) {
    widget->setGeometry(FLeft, FTop, FWidth, FHeight);
    if (resized) widget->MarkStale();
  }
}

void TControl::SetVisible(bool value) {
  FVisible = value;
  if (ControlHost* widget = host()) showHost(widget, FVisible);
}

void TControl::SetEnabled(bool value) {
  FEnabled = value;
  if (ControlHost* widget = host()) widget->setEnabled(FEnabled);
}

// Drawing on the window surface is meant for the screen: the window comes
// with it, so that what is drawn can be presented.
TCanvas& TControl::Canvas() {
  ensureHost();
  return surface().Canvas();
}

const TBitmap& TControl::Surface() const { return surface(); }

void TControl::HandleNeeded() {
  ensureHost();
  windowCreated();
}

void TControl::windowCreated() {
  if (FHandleAllocated) return;
  FHandleAllocated = true;
  if (ControlHost* widget = host()) widget->UpdateFocusPolicy();
  CreateWnd();
}

void TControl::Invalidate() {
  ControlHost* widget = host();
  // During the host's own paint the surface is being brought up to date.
  if (widget && !widget->InPaint()) widget->MarkStale();
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

bool TControl::MouseWheel(TShiftState Shift, int WheelDelta, int X, int Y) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, X, Y, handled);
  return handled;
}

void TControl::SetParentWidget(QWidget* parent) {
  ControlHost* widget = parent ? ensureHost() : host();
  if (!widget) return;
  widget->setParent(parent);
  widget->UpdateFocusPolicy();
  widget->setGeometry(FLeft, FTop, FWidth, FHeight);
  widget->setEnabled(FEnabled);
  showHost(widget, FVisible);
}

QWidget* TControl::Widget() const { return host(); }

// ---------------------------------------------------------------------------
// TWinControl

bool TWinControl::Focused() const {
  const QWidget* widget = Widget();
  return widget && widget->hasFocus();
}

void TWinControl::SetFocus() {
  ControlHost* widget = ensureHost();
  if (!widget) return;
  widget->UpdateFocusPolicy();
  widget->setFocus(Qt::OtherFocusReason);
}

void TWinControl::SelectNextControl(bool forward) {
  if (ControlHost* widget = host()) widget->SelectNext(forward);
}
