#include "TileLegend.h"

#include "SampleRacks.h"

#include "link/ClusterList.h"
#include "link/TErrorType.h"
#include "work/RackView.h"
#include "work/StationAlarms.h"
#include "work/TileLayout.h"
#include "work/TilePictures.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace kalver::guide {

namespace {

struct LegendTile {
    LegendTile(QString f, bool b, std::function<void(link::StatusBlock&)> s, QList<link::TErrorType> a = {},
               bool sel = false, bool hov = false)
        : file(std::move(f)), blinks(b), status(std::move(s)), alarms(std::move(a)), selected(sel), hover(hov) {}

    QString file;
    bool blinks;                                      // both blink phases are shown
    std::function<void(link::StatusBlock&)> status;   // the station's reported state
    QList<link::TErrorType> alarms;                   // raised and not acknowledged
    bool selected;
    bool hover;
};

link::StatusBlock idle(std::int32_t number, int charge) {
    link::StatusBlock b = test::restingStation(number);
    b.setChargeLevel(charge).setCharging(false).setDownloading(false).setRegistrationState(0);
    return b;
}

QList<LegendTile> legendTiles() {
    using namespace link::alarm;
    auto charging = [](int charge) {
        return [charge](link::StatusBlock& b) { b.setChargeLevel(charge).setCharging(true).setChargingCurrent(800); };
    };
    auto resting = [](int charge) { return [charge](link::StatusBlock& b) { b.setChargeLevel(charge); }; };
    auto downloading = [](int progress) {
        return [progress](link::StatusBlock& b) { b.setDownloading(true).setDownloadProgress(progress); };
    };
    auto registering = [](link::StatusBlock& b) { b.setRegistrationState(1); };
    return {
        {QStringLiteral("tile-rest-full.png"), false, resting(100)},
        {QStringLiteral("tile-rest-high.png"), false, resting(80)},
        {QStringLiteral("tile-rest-mid.png"), false, resting(35)},
        {QStringLiteral("tile-rest-low.png"), false, resting(12)},
        {QStringLiteral("tile-rest-unknown.png"), false, resting(-1)},
        {QStringLiteral("tile-charge-low.png"), true, charging(12)},
        {QStringLiteral("tile-charge-mid.png"), true, charging(35)},
        {QStringLiteral("tile-charge-high.png"), true, charging(80)},
        {QStringLiteral("tile-charge-full.png"), false, charging(100)},
        {QStringLiteral("tile-selected.png"), false, resting(80), {}, true},
        {QStringLiteral("tile-hover.png"), false, resting(80), {}, true, true},
        {QStringLiteral("tile-download-1.png"), true, downloading(10)},
        {QStringLiteral("tile-download-2.png"), true, downloading(30)},
        {QStringLiteral("tile-download-3.png"), true, downloading(60)},
        {QStringLiteral("tile-download-4.png"), true, downloading(90)},
        {QStringLiteral("tile-download-failed.png"), false, resting(80), {DownloadNotStarted}},
        {QStringLiteral("tile-registration.png"), false, registering},
        {QStringLiteral("tile-registration-test.png"), false,
         [](link::StatusBlock& b) { b.setRegistrationState(1).setChannelModeByte(0, 1); }},
        {QStringLiteral("tile-registration-calibration.png"), false,
         [](link::StatusBlock& b) { b.setRegistrationState(1).setInclinometerCalibration(1); }},
        {QStringLiteral("tile-registration-samples.png"), false, registering, {SamplesNotCounting}},
        {QStringLiteral("tile-tuning.png"), false, [](link::StatusBlock& b) { b.setGeneratorState(2); }},
        {QStringLiteral("tile-combined.png"), true,
         [](link::StatusBlock& b) {
             b.setChargeLevel(60).setCharging(true).setChargingCurrent(600).setRegistrationState(1)
                 .setGeneratorState(2);
         },
         {}, true},
        {QStringLiteral("tile-alarm-1.png"), false, resting(80), {CommandNotExecuted}},
        {QStringLiteral("tile-alarm-2.png"), false, resting(35), {NotCharging}},
        {QStringLiteral("tile-alarm-7.png"), false, resting(80), {NonCriticalErrors}},
        {QStringLiteral("tile-alarm-8.png"), false, resting(80), {CriticalErrors}},
        {QStringLiteral("tile-alarm-9.png"), false, resting(80), {LostServer}},
    };
}

} // namespace

bool writeTileLegend(const QString& folder) {
    const QList<LegendTile> tiles = legendTiles();
    link::ClusterList list;
    test::SampleRacks racks(list);
    const int cluster = racks.addCluster();
    QList<link::StatusBlock> blocks;
    for (int i = 0; i < tiles.size(); ++i) {
        // Numbers like the demonstration cluster's, one per tile so the layout keeps the list's order.
        link::StatusBlock b = idle(1201 + i, 80);
        tiles[i].status(b);
        blocks.append(b);
    }
    racks.report(cluster, blocks);

    work::TilePictures pictures(work::containerTileGeometry());
    int phase = 0;
    work::RackView view(list, cluster, work::RackMode::Container, pictures, phase, static_cast<int>(tiles.size()));
    view.resize(view.openedWidth() + 4, 400);
    view.layOutTiles();
    link::TKlvRack& rack = list.at(cluster);
    for (int i = 0; i < tiles.size(); ++i) {
        link::TKlvStation& station = rack.station(i);
        QList<link::TErrorType> raised;
        for (link::TErrorType code : tiles[i].alarms) {
            station.addAlarm(code);
            raised.append(code);
        }
        // The tile takes the colour of its highest alarm, as raising them in turn leaves it.
        link::TErrorType highest = 0;
        for (link::TErrorType code : raised)
            highest = std::max(highest, code);
        station.tile.colour = work::alarmColour(highest);
        station.tile.checked = tiles[i].selected;
        station.tile.hover = tiles[i].hover;
    }
    view.show();

    bool ok = true;
    QPixmap phases[2];
    for (int p = 0; p < 2; ++p) {
        phase = p;
        for (int i = 0; i < tiles.size(); ++i)
            rack.station(i).tile.frame = 0; // gray tiles keep a frame once they have one
        view.redrawTiles();
        QApplication::processEvents();
        phases[p] = view.grab();
    }
    for (int i = 0; i < tiles.size(); ++i) {
        const QRect r = view.tileRect(i);
        const int gap = 6;
        const int count = tiles[i].blinks ? 2 : 1;
        QPixmap out(r.width() * count + gap * (count - 1), r.height());
        out.fill(Qt::transparent);
        QPainter painter(&out);
        for (int p = 0; p < count; ++p)
            painter.drawPixmap(p * (r.width() + gap), 0, phases[p], r.x(), r.y(), r.width(), r.height());
        painter.end();
        const bool saved = out.save(folder + tiles[i].file);
        std::printf("%s %s%s\n", saved ? "wrote" : "could not write", qPrintable(folder), qPrintable(tiles[i].file));
        ok = ok && saved;
    }
    view.hide();
    return ok;
}

} // namespace kalver::guide
