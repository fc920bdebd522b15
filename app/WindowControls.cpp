#include "app/WindowControls.h"

#include <QPainter>

#include "platform/QtPicture.h"
#include "platform/QtText.h"

QFont windowFont(int pixelSize, bool bold) {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

QPushButton* makeButton(QWidget* parent, const char* caption, int left, int top, int width,
                        int height) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  // Enter clicks the focused button, as Space does, on the desktop we follow.
  button->setAutoDefault(true);
  return place(button, left, top, width, height);
}

namespace {

// A group box drawn as on the classic desktop: an etched frame (a gray line
// with a white one a pixel right and below) and the caption on the window's
// own colour, so its inside shows the window's face like the fields do.
class EtchedGroupBox : public QGroupBox {
 public:
  using QGroupBox::QGroupBox;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QFontMetrics metrics(font());
    const QRect frame = rect().adjusted(0, metrics.height() / 2, -2, -2);
    p.setPen(ToQColor(clWhite));
    p.drawRect(frame.translated(1, 1));
    p.setPen(ToQColor(clGray));
    p.drawRect(frame);
    const QRect caption(kCaptionLeft, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
    p.fillRect(caption, palette().window());
    p.setPen(palette().windowText().color());
    p.drawText(caption, Qt::AlignCenter, title());
  }

 private:
  static constexpr int kCaptionLeft = 6;
};

}  // namespace

QGroupBox* makeGroupBox(QWidget* parent, const char* caption, int left, int top, int width,
                        int height) {
  return place(new EtchedGroupBox(QString::fromUtf8(caption), parent), left, top, width, height);
}

void applyFieldLayout(TNumIO2& field) {
  field.SetInputFormat(itFloat);
  field.SetDecPlaceSep(dsBoth);
  field.SetSignificantDigits(6);
  field.SetTextBoxWidth(80);
  field.SetAlignment(taCenter);
  field.SetLeftTextAlignment(taRightJustify);
  field.SetRightTextAlignment(taLeftJustify);
  field.SetFrameStyle(fsLowered);
  field.SetColorScheme(csBWG);
  field.SetColorBoxBG(clWhite);
  field.SetColorBoxText(clBlack);
  field.SetColorOutBG(clBtnFace);
  field.SetColorOutText(clBlack);
  field.SetColorWarnBG(0x6088FFF0);
  field.SetColorWarnText(clRed);
  field.SetBeep(false);
  field.SetReadOnly(false);
  field.SetAutoSize(false);
  field.SetHideSelection(true);
  field.SetButVisible(false);
  field.SetButWidth(18);
  field.SetButHeight(25);
  field.SetButSpace(3);
  field.SetButColor(clSilver);
  field.SetButIncrem(1.0);
  field.SetBut3D(true);
  field.SetGaugeVisible(false);
  field.SetGaugeColor(clNavy);
  field.SetGaugeColorBg(clSilver);
  field.SetGaugeColorFrame(clGray);
  field.SetGaugeHeight(8);
  field.SetGaugeWidth(82);
  field.SetGaugeLeftMargin(35);
  field.SetGaugeTopMargin(3);
  field.SetGaugeFrameStyle(fsLowered);
}

namespace {

// A control of the window, 25 pixels high, loading its layout's values
// until the caller calls Loaded.
template <class C>
std::unique_ptr<C> startLoading(QWidget* parent, const char* name, int left, int top, int width) {
  auto control = std::make_unique<C>();
  control->BeginLoading();
  control->SetName(FromQString(QString::fromUtf8(name)));
  control->SetParentWidget(parent);
  control->SetBounds(left, top, width, 25);
  return control;
}

}  // namespace

std::unique_ptr<TNumIO2> makeField(QWidget* parent, const FieldRow& row, int left, int top,
                                   int width) {
  auto field = startLoading<TNumIO2>(parent, row.name, left, top, width);
  applyFieldLayout(*field);
  field->SetLeftText(row.leftText);
  field->SetRightText(row.rightText);
  field->SetLeftSpace(row.leftSpace);
  field->SetRangeLow(row.rangeLow);
  field->SetRangeHigh(row.rangeHigh);
  field->SetFixPointDecPlaces(row.decimals);
  field->SetNioValue(row.value);
  field->Loaded();
  return field;
}

std::unique_ptr<TNumLab> makeLabel(QWidget* parent, const LabelRow& row, int left, int top,
                                   int width) {
  auto label = startLoading<TNumLab>(parent, row.name, left, top, width);
  label->SetDisplayType(dtFixP);
  label->SetAlignment(taCenter);
  label->SetLeftTextAlignment(taRightJustify);
  label->SetRightTextAlignment(taLeftJustify);
  label->SetFrameStyle(fsLowered);
  label->SetColorScheme(csBWG);
  label->SetColorLabBakG(clBtnFace);
  label->SetColorLabText(clBlack);
  label->SetColorOutBakG(clBtnFace);
  label->SetColorOutText(clBlack);
  label->SetComma(false);
  label->SetForcePlusSign(false);
  label->SetEmpty(false);
  label->SetTransparent(false);
  label->SetLabelWidth(80);
  label->SetOverflowIndicator(u"*********");
  label->SetStateText(u"undefined");
  label->SetDTFormat(u"mmm-dd, yyyy");
  label->SetLeftText(row.leftText);
  label->SetRightText(row.rightText);
  label->SetLeftSpace(row.leftSpace);
  label->SetPrecision(row.precision);
  label->Loaded();
  return label;
}
