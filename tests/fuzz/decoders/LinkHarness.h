#pragma once
// One cluster on a network-free socket with a recording observer, for the fuzz targets that drive a
// single message handler of the link directly with arbitrary payloads.

#include "fakes/MemoryClientSocket.h"
#include "fakes/RecordingObserver.h"
#include "link/ClusterList.h"
#include "link/ClusterRef.h"

#include <QBuffer>

#include <cstdint>
#include <memory>

namespace kalver::fuzz {

// The process-wide set-up: an application object, a message responder that answers every box, files
// the handlers would write pointed at a folder that does not exist.
void setUpLinkProcess(const char* name);

class LinkHarness {
public:
    // `accessLevel` 0...3; `downloadTarget` gives the cluster a download target.
    LinkHarness(int accessLevel, bool downloadTarget);
    ~LinkHarness();

    link::ClusterList& list() { return m_list; }
    test::RecordingObserver& observer() { return m_observer; }
    // The cluster as a handler sees it.
    link::ClusterRef ref() { return link::ClusterRef(m_list, 0); }
    // Delivers one frame of `wireCode` with `payload` to the dispatcher.
    void dispatch(std::uint32_t wireCode, QByteArrayView payload);

private:
    link::ClusterList m_list;
    test::RecordingObserver m_observer;
    QBuffer m_target;
};

} // namespace kalver::fuzz
