// The joint-layer table: for every layer, the layer whose horizontal range it
// follows and the layer whose vertical range it follows (itself when free).
// Links are one level deep: a master is never controlled itself, and a
// controlled layer never masters others.
#pragma once

#include <functional>

#include "controls/chart/rules/PLX_rchartTypes.h"
#include "platform/Controls.h"

class TJointLayers : public TObject {
 public:
  TJointLayers();

  // The master of Layer's horizontal (vertical) range. Layers outside 1..16
  // raise EPLXRChartError.
  int MasterX(int Layer) const;
  int MasterY(int Layer) const;
  // Makes layer Index follow layer Master on one axis. Raises EPLXRChartError
  // (and changes nothing) when Index or Master is outside 1..16, when Master
  // is itself joined, or when other layers follow Index. Master = Index
  // frees the layer silently.
  void SetMasterX(int Index, int Master);
  void SetMasterY(int Index, int Master);

  // Every layer controlled by itself; no notification.
  void Reset();
  // Copies both tables; this table keeps its owner links.
  void Assign(const TJointLayers& Source);

#define PLX_JOINT_LAYER(n)                                          \
  int L##n##xControlledBy() const { return MasterX(1##n - 100); }   \
  void SetL##n##xControlledBy(int v) { SetMasterX(1##n - 100, v); } \
  int L##n##yControlledBy() const { return MasterY(1##n - 100); }   \
  void SetL##n##yControlledBy(int v) { SetMasterY(1##n - 100, v); }
  PLX_JOINT_LAYER(01)
  PLX_JOINT_LAYER(02)
  PLX_JOINT_LAYER(03)
  PLX_JOINT_LAYER(04)
  PLX_JOINT_LAYER(05)
  PLX_JOINT_LAYER(06)
  PLX_JOINT_LAYER(07)
  PLX_JOINT_LAYER(08)
  PLX_JOINT_LAYER(09)
  PLX_JOINT_LAYER(10)
  PLX_JOINT_LAYER(11)
  PLX_JOINT_LAYER(12)
  PLX_JOINT_LAYER(13)
  PLX_JOINT_LAYER(14)
  PLX_JOINT_LAYER(15)
  PLX_JOINT_LAYER(16)
#undef PLX_JOINT_LAYER

  TNotifyEvent OnChange;
  // Set by the owning chart: a layer was joined to a master on one axis and
  // must take over the master's range there.
  std::function<void(int Index, int Master, bool Horizontal)> OnJoined;

 private:
  void setMaster(int (&table)[MaxLayers + 1], int Index, int Master, bool Horizontal);

  int FMasterLayerX[MaxLayers + 1];  // entry 0 unused
  int FMasterLayerY[MaxLayers + 1];
};
