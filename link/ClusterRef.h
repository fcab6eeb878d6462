#pragma once
// The cluster a message came from, held across calls that process pending events. A cluster position
// is only good until events run (the connection window may destroy records meanwhile), so the
// reference also remembers which record it meant and finds its position again on refresh().

#include "link/ClusterList.h"

namespace kalver::link {

class ClusterRef {
public:
    ClusterRef(ClusterList& list, int position)
        : m_list(list), m_position(list.isValid(position) ? position : -1),
          m_serial(m_position >= 0 ? list.at(position).serial() : 0) {}

    ClusterList& list() const { return m_list; }
    LinkObserver& observer() const { return m_list.observer(); }
    // The position found last; -1 once the record is gone.
    int position() const { return m_position; }
    // The cluster number shown to the operator.
    int number() const { return m_position + 1; }
    bool valid() const { return m_position >= 0; }
    // The record, or nullptr once it is gone. Valid until events are processed.
    TKlvRack* rack() const { return m_position >= 0 ? &m_list.at(m_position) : nullptr; }

    // Finds the record again after events ran; false when it has left the list.
    bool refresh() {
        m_position = m_serial != 0 ? m_list.positionOfSerial(m_serial) : -1;
        return m_position >= 0;
    }

private:
    ClusterList& m_list;
    int m_position;
    quint64 m_serial;
};

} // namespace kalver::link
