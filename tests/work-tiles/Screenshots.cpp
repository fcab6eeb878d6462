// Takes the screenshots of the work window's container page and of the mnemonic diagram with four
// demonstration-like racks: charging, registering, downloading and alarmed stations. Run it under a
// virtual display:
//   xvfb-run -a -s "-screen 0 1600x1000x24" work_tiles_screenshots <output folder>
// It writes container.png and mnemo.png into the folder.

#include "SampleRacks.h"

#include "config/SettingsFile.h"
#include "config/Unit_Settings.h"
#include "core/ProgramValues.h"
#include "dialogs/Unit_Mnemo.h"
#include "link/TErrorType.h"
#include "work/Unit_Work.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace kalver;

namespace {

void settle(int ms = 300) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void fillRacks(test::SampleRacks& racks, TForm_Work& window, int stations, bool select) {
    for (int k = 0; k < 4; ++k)
        racks.report(k, test::sampleRack(k, stations, 101 + 100 * k));
    link::ClusterList& list = window.clusterList();
    // The alarms the stations would have raised: samples standing still, a download that failed,
    // and a rack of errors.
    window.alarms->raise(1, 2, link::alarm::SamplesNotCounting, false);
    window.alarms->raise(2, 3, link::alarm::DownloadNotStarted, false);
    window.alarms->raise(3, 1, link::alarm::NonCriticalErrors, false);
    window.alarms->raise(3, 3, link::alarm::CriticalErrors, false);
    window.alarms->raise(3, 5, link::alarm::NotCharging, false);
    window.alarms->raise(3, 6, link::alarm::CommandNotExecuted, false);
    window.alarms->raise(3, 9, link::alarm::LostServer, false);
    if (select) {
        for (int s : {0, 1, 2})
            list.at(1).station(s).tile.checked = true;
        list.at(2).station(7).tile.checked = true;
        window.refreshSelectionSummary();
    }
    for (int c = 0; c < 4; ++c)
        window.setSyncLabel(c, QStringLiteral(" [09.12.2025 14:22:0%1]").arg(c));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The operator's locale: Russian dates and times.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);

    // A program folder of its own: five stations per rack row, so four racks fit the screen.
    QTemporaryDir folder;
    setProgramFolder(folder.path() + QLatin1Char('/'));
    settings::SettingsValues values = settings::defaults(4, folder.path() + QLatin1Char('/'));
    values.stationsInRackHoriz = 5;
    settings::writeFile(folder.path() + QStringLiteral("/settings.ini"), values);
    TForm_Settings settingsWindow;
    Form_Settings = &settingsWindow;

    // --- the container
    {
        program().accessLevel = AccessDeveloper;
        program().mnemonicMode = false;
        link::ClusterList list;
        test::SampleRacks racks(list);
        for (int k = 0; k < 4; ++k)
            racks.addCluster();
        TForm_Work window(list);
        list.setObserver(&window.observer());
        window.enterWorkSession();
        window.showSessionWindow();
        // Without a window manager nothing maximizes the window: give it the screen.
        window.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
        fillRacks(racks, window, 20, true);
        window.GridPanel2->appendLine(QStringLiteral("Получено разрешение работы от Кластера 1"), false, QColor(0, 128, 0));
        window.GridPanel2->writeWaitingLines();
        settle();
        window.blinkTick();
        window.blinkTick();
        // Hover a registering station: the detail panel shows it, its number is bold.
        work::RackView* rack = window.rackView(1);
        QTest::mouseMove(rack, rack->tileRect(1).center());
        settle();
        window.grab().save(out + QStringLiteral("/container.png"));
        list.setObserver(nullptr);
    }

    // --- the mnemonic diagram
    {
        program().accessLevel = AccessMnemo;
        program().mnemonicMode = true;
        link::ClusterList list;
        test::SampleRacks racks(list);
        for (int k = 0; k < 4; ++k)
            racks.addCluster();
        TForm_Mnemo mnemo;
        TForm_Work window(list);
        window.setMnemoWindow(&mnemo);
        list.setObserver(&window.observer());
        window.enterWorkSession();
        window.showSessionWindow();
        fillRacks(racks, window, 40, false);
        settle();
        window.blinkTick();
        settle();
        mnemo.grab().save(out + QStringLiteral("/mnemo.png"));
        list.setObserver(nullptr);
    }
    Form_Settings = nullptr;
    std::printf("screenshots written to %s\n", qPrintable(out));
    return 0;
}
