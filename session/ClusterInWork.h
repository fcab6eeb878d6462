#pragma once
// A cluster is in work while its connection check box (on the connection window, one per cluster
// record) is checked: the box is shown and checked when the cluster grants permission, and the operator
// may uncheck it before "К работе".

#include "link/TKlvRack.h"

class QCheckBox;

namespace kalver::session {

// The cluster's connection check box, or nullptr before the connection window has made it.
QCheckBox* connectionCheckBox(const link::TKlvRack& rack);

// Whether the cluster is in work: its connection check box exists and is checked.
bool clusterInWork(const link::TKlvRack& rack);

} // namespace kalver::session
