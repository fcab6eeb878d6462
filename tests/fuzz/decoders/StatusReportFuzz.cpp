// Arbitrary status reports merged into a cluster's stations.
//
// Input: byte 0 bits 0-1 the access level (3 appends charge-trend records, which fail and are skipped);
// byte 1 cuts the rest into two reports (at byte 1 × size ÷ 256), merged one after the other, so that
// stations are created by the first and updated, raising alarms, or removed by the second. Each report
// goes in twice: as wire code 102 and as a command acknowledgement.

#include "LinkHarness.h"

#include "link/StatusReport.h"

using namespace kalver;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = (fuzz::setUpLinkProcess("status_report_fuzz"), true);
    (void)ready;
    if (size < 2)
        return 0;
    const QByteArrayView rest(reinterpret_cast<const char*>(data + 2), static_cast<qsizetype>(size - 2));
    const qsizetype cut = rest.size() * data[1] / 256;
    fuzz::LinkHarness harness(data[0] & 3, false);
    {
        link::ClusterRef cluster = harness.ref();
        link::handleStatusReport(cluster, rest.first(cut));
        link::handleStatusReport(cluster, rest.sliced(cut));
    }
    harness.dispatch(103, rest.sliced(cut));
    harness.dispatch(102, rest.first(cut));
    return 0;
}
