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
  FSettings.Name = FSettings.IncludePath ? value : fileNamePart(value);
  Changed();
}

void TBakGndImg::SetIncludePath(bool value) {
  FSettings.IncludePath = value;
  if (!value) FSettings.Name = fileNamePart(FSettings.Name);
  Changed();
}

void TBakGndImg::SetFillMode(TBkgFill value) {
  FSettings.FillMode = value;
  Changed();
}

void TBakGndImg::SetAreaMode(TBGAreaMode value) {
  FSettings.AreaMode = value;
  Changed();
}

void TBakGndImg::SetAreaColor(TColor value) {
  FSettings.AreaColor = value;
  Changed();
}

void TBakGndImg::SetAreaLeft(double value) {
  FSettings.AreaLeft = value;
  Changed();
}

void TBakGndImg::SetAreaRight(double value) {
  FSettings.AreaRight = value;
  Changed();
}

void TBakGndImg::SetAreaTop(double value) {
  FSettings.AreaTop = value;
  Changed();
}

void TBakGndImg::SetAreaBottom(double value) {
  FSettings.AreaBottom = value;
  Changed();
}

void TBakGndImg::Assign(const TBakGndImg& Source) { FSettings = Source.FSettings; }
