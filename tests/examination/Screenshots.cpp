// Takes the screenshots of the examination pages inside the station data window against the real
// demonstration cluster (two racks of six stations, charging 30 times faster than real time): the
// charge curves of every station after a few minutes of polling, a station's subsystem values as read
// from it, and a station's file catalogue with one file chosen. Not a test. Run it under a virtual
// display:
//   xvfb-run -a -s "-screen 0 1600x1000x24" examination_screenshots <output folder> [minutes]
// It writes charge.png, subsystems.png and catalogue.png into the folder.

#include "../demo/DemoProcess.h"

#include "config/Journal.h"
#include "config/SettingsAccess.h"
#include "core/MessageSeam.h"
#include "core/ProgramValues.h"
#include "link/ClusterList.h"
#include "link/SendServerMessage.h"
#include "session/VisualStyle.h"
#include "stationdata/ChargeCurvesPage.h"
#include "stationdata/FileCatalogPage.h"
#include "stationdata/SubsystemPage.h"
#include "stationdata/Unit_SmallTable.h"
#include "stationdata/Unit_StationData.h"
#include "stationdata/WorkWindowBridge.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTableWidget>
#include <QToolButton>

#include <cstdio>

using namespace kalver;
using namespace kalver::stationdata;
using demo::test::waitUntil;

namespace {

constexpr int kStatusPoll = 2;

class TileSelection : public WorkWindowBridge {
public:
    bool tableShown() const override { return false; }
    bool clusterInWork(const link::TKlvRack&) const override { return true; }
    bool rackVisible(const link::TKlvRack&) const override { return true; }
    bool stationSelected(const link::TKlvStation& station) const override { return station.tile.checked; }
    void suspendWorkSession() override {}
    void resumeWorkSession() override {}
};

// The work window's part (the charge-trend folder) and the station data window's part of the observer.
class Observer : public link::LinkObserver {
public:
    explicit Observer(link::LinkObserver& stationData) : m_stationData(stationData) {}
    QString chargeTrendFolder() const override { return settings::chargeFolder(); }
    link::ParameterGrid* parameterGrid() override { return m_stationData.parameterGrid(); }
    link::SmallTable* smallTable() override { return m_stationData.smallTable(); }
    QString selectedSubsystem() const override { return m_stationData.selectedSubsystem(); }
    void parametersDecoded(int cluster) override { m_stationData.parametersDecoded(cluster); }

private:
    link::LinkObserver& m_stationData;
};

void select(link::ClusterList& list, const std::function<bool(const link::TKlvStation&)>& chosen) {
    for (int c = 0; c < list.count(); ++c)
        for (link::TKlvStation& s : list.at(c).stations)
            s.tile.checked = chosen(s);
}

bool save(QWidget& window, const QString& path) {
    QApplication::processEvents();
    const bool ok = window.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

void copySubsystems(const QString& programFolder) {
    const QDir source(QStringLiteral(KALVER_SUBSYSTEMS_SOURCE));
    QDirIterator files(source.path(), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString file = files.next();
        const QString target = programFolder + QStringLiteral("Subsystems/") + source.relativeFilePath(file);
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(file, target);
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: examination_screenshots <output folder> [minutes]\n");
        return 1;
    }
    const QString output = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');
    const int minutes = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    session::applyVisualStyle(app, QString::fromUtf16(session::kIcebergClassico));

    QTemporaryDir scratch;
    setProgramFolder(scratch.path());
    QDir::setCurrent(scratch.path());
    QDir().mkpath(settings::chargeFolder());
    copySubsystems(program().programFolder);
    journal::startNewFile(program().journalFilePath);
    program().accessLevel = AccessDeveloper;
    setMessageResponder([](const MessageRequest& m) {
        std::printf("message %s: %s\n", qPrintable(m.code), qPrintable(m.text.left(60)));
        return MessageAnswer::No;
    });
    Form_SmallTable = new TForm_SmallTable;

    demo::test::DemoProcess demo;
    if (!demo.start({QStringLiteral("--speed"), QStringLiteral("30")})) {
        std::fprintf(stderr, "the demonstration cluster did not start\n");
        return 1;
    }
    link::ClusterList list;
    for (int rack = 1; rack <= 2; ++rack)
        list.at(list.create(QStringLiteral("127.0.0.1"), demo.rackPort(rack), demo.syncPort())).clusterConnection()->open();
    if (!waitUntil([&] { return list.at(0).clusterConnection()->isConnected() && list.at(1).clusterConnection()->isConnected(); }))
        return 1;

    TileSelection bridge;
    setWorkWindowBridge(&bridge);
    TForm_StationData window(list);
    Observer observer(window.linkObserver());
    list.setObserver(&observer);
    window.resize(900, 720);

    // Polling as the connection window does, while the stations charge.
    std::printf("polling for %d minutes\n", minutes);
    QElapsedTimer polling;
    polling.start();
    while (polling.elapsed() < qint64(minutes) * 60000) {
        for (int c = 0; c < list.count(); ++c)
            link::SendServerMessage(list, c, true, kStatusPoll, true);
        waitUntil([] { return false; }, 2000);
    }

    // Page 2: the charge curves of every station.
    select(list, [](const link::TKlvStation&) { return true; });
    window.openForSelection(page::ChargeCurves, 4);
    save(window, output + QStringLiteral("charge.png"));
    window.close();

    // Page 3: the power subsystem of the first station, read from it, with a new value entered.
    const std::int32_t first = list.at(0).station(0).number();
    select(list, [&](const link::TKlvStation& s) { return s.number() == first; });
    window.openForSelection(page::Subsystems, 4);
    SubsystemPage& subsystems = *window.subsystems;
    subsystems.cb_SubsystemType->setCurrentIndex(
        subsystems.cb_SubsystemType->findText(QStringLiteral("0032352020376D71\\питания.sub")));
    subsystems.readValues();
    // A new value entered for the writable row, as before a write.
    for (int row = 0; row < subsystems.sg_StationParams->rowCount(); ++row)
        if (subsystems.sg_StationParams->item(row, 1)->text().contains(QLatin1Char('w')))
            subsystems.sg_StationParams->item(row, 6)->setText(QStringLiteral("6.1"));
    save(window, output + QStringLiteral("subsystems.png"));
    window.close();

    // Page 1: the catalogue of an idle station with files, its latest file chosen.
    std::int32_t idle = -1;
    for (const link::TKlvStation& s : list.at(0).stations)
        if (idle < 0 && !s.status.downloading() && s.status.registrationState() != 1 &&
            s.status.registrationState() != 2 && s.status.fileCount() > 1)
            idle = s.number();
    select(list, [&](const link::TKlvStation& s) { return s.number() == idle; });
    window.openForSelection(page::StationInfo, 4);
    waitUntil([&] { return window.fileCatalog->rg_SelectedFile->isEnabled(); });
    int chosen = -1;
    for (int j = 0; j < link::kFileViewEntries; ++j)
        if (list.at(0).fileViews[j] && list.at(0).fileViews[j]->valid != 0)
            chosen = j;
    if (chosen >= 0)
        window.fileCatalog->fileButtons->button(chosen)->click();
    save(window, output + QStringLiteral("catalogue.png"));
    window.close();

    list.setObserver(nullptr);
    setWorkWindowBridge(nullptr);
    list.clear();
    return 0;
}
