#include "controls/chart/PLX_BakGndImg.h"

namespace {

std::u16string fileNamePart(const std::u16string& path) {
  const size_t slash = path.find_last_of(u"/\\");
  return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void TBakGndImg::Changed() {
  if (OnChange) OnChange(this);
}

void TBakGndImg::SetName(const std::u16string& value) {
  FName = FIncludePath ? value : fileNamePart(value);
  Changed();
}

void TBakGndImg::SetIncludePath(bool value) {
  FIncludePath = value;
  if (!value) FName = fileNamePart(FName);
  Changed();
}

void TBakGndImg::SetFillMode(TBkgFill value) {
  FFillMode = value;
  Changed();
}

void TBakGndImg::SetAreaMode(TBGAreaMode value) {
  FAreaMode = value;
  Changed();
}

void TBakGndImg::SetAreaColor(TColor value) {
  FAreaColor = value;
  Changed();
}

void TBakGndImg::SetAreaLeft(double value) {
  FAreaLeft = value;
  Changed();
}

void TBakGndImg::SetAreaRight(double value) {
  FAreaRight = value;
  Changed();
}

void TBakGndImg::SetAreaTop(double value) {
  FAreaTop = value;
  Changed();
}

void TBakGndImg::SetAreaBottom(double value) {
  FAreaBottom = value;
  Changed();
}

void TBakGndImg::Assign(const TBakGndImg& Source) {
  FName = Source.FName;
  FIncludePath = Source.FIncludePath;
  FFillMode = Source.FFillMode;
  FAreaMode = Source.FAreaMode;
  FAreaColor = Source.FAreaColor;
  FAreaLeft = Source.FAreaLeft;
  FAreaRight = Source.FAreaRight;
  FAreaTop = Source.FAreaTop;
  FAreaBottom = Source.FAreaBottom;
}
