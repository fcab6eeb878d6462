#pragma once
// Cluster lists filled like a demonstration container, for the work window's tests, screenshots and
// benchmarks: clusters whose connections are in-memory sockets and whose connection check boxes are
// checked (in work), and station blocks in the states a container shows.

#include "link/ClusterList.h"
#include "link/StatusBlock.h"

#include <QCheckBox>
#include <QList>

#include <memory>
#include <vector>

namespace kalver::test {

class SampleRacks {
public:
    explicit SampleRacks(link::ClusterList& list) : m_list(list) {}

    // Appends a cluster; `inWork` checks its connection check box. Returns its position.
    int addCluster(bool inWork = true);
    QCheckBox* connectionBox(int cluster) const { return m_boxes.value(cluster); }

    // Runs the status report handler of `cluster` with `blocks`.
    void report(int cluster, const QList<link::StatusBlock>& blocks);

private:
    link::ClusterList& m_list;
    QList<QCheckBox*> m_boxes;
};

// A station at rest: charged 80 %, not charging, normal pressure, registration stopped, known values.
link::StatusBlock restingStation(std::int32_t number);

// The stations of a demonstration-like rack `kind` (0 charging, 1 registering, 2 downloading,
// 3 alarmed and tuning), numbered from `firstNumber`.
QList<link::StatusBlock> sampleRack(int kind, int stations, std::int32_t firstNumber);

} // namespace kalver::test
