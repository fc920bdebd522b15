#include "controls/chart/PLX_JointLayers.h"

#include <string>

TJointLayers::TJointLayers() { Reset(); }

int TJointLayers::MasterX(int Layer) const {
  CheckLayer(Layer);
  return FMasterLayerX[Layer];
}

int TJointLayers::MasterY(int Layer) const {
  CheckLayer(Layer);
  return FMasterLayerY[Layer];
}

void TJointLayers::SetMasterX(int Index, int Master) {
  setMaster(FMasterLayerX, Index, Master, true);
}

void TJointLayers::SetMasterY(int Index, int Master) {
  setMaster(FMasterLayerY, Index, Master, false);
}

void TJointLayers::setMaster(int (&table)[MaxLayers + 1], int Index, int Master, bool Horizontal) {
  CheckLayer(Index);
  if (!ValidLayer(Master)) {
    throw EPLXRChartError("Destination layer " + std::to_string(Master) + " is out of range");
  }
  if (Master == Index) {
    table[Index] = Index;
    return;
  }
  if (table[Master] != Master) {
    throw EPLXRChartError("Destination layer " + std::to_string(Master) + " is already joined");
  }
  std::string followers;
  for (int i = 1; i <= MaxLayers; ++i) {
    if (i == Index || table[i] != Index) continue;
    followers += (followers.empty() ? "" : ", ") + std::to_string(i);
  }
  if (!followers.empty()) {
    throw EPLXRChartError("Layer " + std::to_string(Index) + " is joined by other layers (" +
                          followers + ")");
  }
  table[Index] = Master;
  if (OnJoined) OnJoined(Index, Master, Horizontal);
  if (OnChange) OnChange(this);
}

void TJointLayers::Reset() {
  for (int i = 0; i <= MaxLayers; ++i) {
    FMasterLayerX[i] = i;
    FMasterLayerY[i] = i;
  }
}

void TJointLayers::Assign(const TJointLayers& Source) {
  for (int i = 0; i <= MaxLayers; ++i) {
    FMasterLayerX[i] = Source.FMasterLayerX[i];
    FMasterLayerY[i] = Source.FMasterLayerY[i];
  }
}
