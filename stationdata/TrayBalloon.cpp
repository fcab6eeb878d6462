#include "stationdata/TrayBalloon.h"

#include <QApplication>
#include <QStyle>
#include <QSystemTrayIcon>

namespace kalver::stationdata {

TrayBalloon::TrayBalloon(link::ClusterList& clusters, QObject* parent)
    : QObject(parent), zTrayIcon1(new QSystemTrayIcon(this)), m_clusters(clusters) {
    zTrayIcon1->setObjectName(QStringLiteral("zTrayIcon1"));
    zTrayIcon1->setIcon(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning));
    if (QSystemTrayIcon::isSystemTrayAvailable())
        zTrayIcon1->show();
}

void TrayBalloon::show(const QString& title, const QString& text, const QString& hint, int timeoutMs,
                       bool alreadyLogged) {
    m_lastTitle = title;
    m_lastText = text;
    ++m_shown;
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        zTrayIcon1->hide();
        zTrayIcon1->setToolTip(hint);
        zTrayIcon1->show();
        zTrayIcon1->showMessage(title, text, QSystemTrayIcon::Warning, timeoutMs);
    } else if (!alreadyLogged) {
        QString line = title + QStringLiteral(": ") + text;
        line.replace(QLatin1Char('\n'), QLatin1Char(' '));
        m_clusters.observer().logLine(line.simplified(), false, Qt::black);
    }
    emit balloonShown(title, text);
}

} // namespace kalver::stationdata
