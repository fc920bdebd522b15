// The Qt widget behind a control: it shows the control's window surface and
// turns Qt's events into the control's notifications. Only Controls.cpp uses
// it.
#pragma once

#include <QWidget>

class TControl;
class TWinControl;

// No Q_OBJECT: the host has no signals or slots of its own.
class ControlHost : public QWidget {
 public:
  explicit ControlHost(TControl* control);
  ~ControlHost() override;

  // The control shown here; null once it has gone.
  TControl* Control() const { return FControl; }
  // The control is going away: no more notifications reach it.
  void Detach() { FControl = nullptr; }
  // Focusable controls take the focus by click and by Tab, others never.
  void UpdateFocusPolicy();

  // Presentation request after drawing on the surface; ignored while the host
  // paints, so drawing during Paint() cannot queue another paint, and while a
  // request waits for its paint event, so a picture drawn in many strokes
  // asks Qt once.
  void Present();
  // The surface no longer shows the control (first show, resize, Invalidate):
  // the next paint event asks the control to Paint() first.
  void MarkStale();
  bool SurfaceCurrent() const { return FSurfaceCurrent; }
  bool InPaint() const { return FInPaint; }

  // The dialog navigation's next-control request.
  bool SelectNext(bool forward) { return focusNextPrevChild(forward); }

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  TWinControl* winControl() const;
  void repaintSurface();
  void showParentBehind();

  TControl* FControl;
  bool FSurfaceCurrent = false;
  bool FInPaint = false;
  bool FPresentPending = false;
  bool FClickPending = false;  // a left press began here and may end in a click
};
