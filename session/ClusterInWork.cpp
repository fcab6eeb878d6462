#include "session/ClusterInWork.h"

#include <QCheckBox>

namespace kalver::session {

QCheckBox* connectionCheckBox(const link::TKlvRack& rack) {
    return qobject_cast<QCheckBox*>(rack.connectionCheckBox.data());
}

bool clusterInWork(const link::TKlvRack& rack) {
    const QCheckBox* box = connectionCheckBox(rack);
    return box && box->isChecked();
}

} // namespace kalver::session
