#pragma once
// The station data window's notification-area icon `zTrayIcon1` and its balloons: the warnings of the
// window's fill and the announcement of an aborted wait. The icon is visible from program start. Where
// the desktop has no notification area, a balloon's text goes to the work window's message log only.

#include "link/ClusterList.h"

#include <QObject>
#include <QString>

class QSystemTrayIcon;

namespace kalver::stationdata {

class TrayBalloon : public QObject {
    Q_OBJECT
public:
    // Logs through the observer of `clusters` where there is no notification area.
    explicit TrayBalloon(link::ClusterList& clusters, QObject* parent = nullptr);

    // Shows a warning balloon: the icon's hint becomes `hint`, the balloon shows `title` and `text` for
    // `timeoutMs`. Without a notification area the text is logged, unless `alreadyLogged`.
    void show(const QString& title, const QString& text, const QString& hint, int timeoutMs, bool alreadyLogged = false);

    QSystemTrayIcon* zTrayIcon1;

    // The last balloon asked for, and how many were asked for.
    QString lastTitle() const { return m_lastTitle; }
    QString lastText() const { return m_lastText; }
    int shownCount() const { return m_shown; }

signals:
    void balloonShown(const QString& title, const QString& text);

private:
    link::ClusterList& m_clusters;
    QString m_lastTitle;
    QString m_lastText;
    int m_shown = 0;
};

} // namespace kalver::stationdata
