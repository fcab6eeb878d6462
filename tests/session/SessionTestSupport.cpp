#include "SessionTestSupport.h"

#include "config/SettingsFile.h"
#include "core/ProgramValues.h"

#include <QFile>
#include <QTcpServer>

namespace kalver::test {

QStringList journalEntries() {
    QFile file(program().journalFilePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2);
    QStringList entries;
    for (const QString& line : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
        entries.append(line.section(u'|', 1));
    return entries;
}

quint16 freePort() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

QString portField(quint16 port) { return QString::number(3 * 65536 + port); }

TestSettings::TestSettings(const QList<ClusterAddress>& clusters, const QString& syncPortField, int pollSeconds) {
    settings::SettingsValues values = settings::defaults(int(clusters.size()), program().programFolder);
    values.queryInterval = pollSeconds;
    values.chargeFolder = program().programFolder + QStringLiteral("Charge/");
    values.grid[1][2] = syncPortField;
    for (int k = 0; k < clusters.size(); ++k) {
        values.grid[k + 2][1] = clusters.at(k).address;
        values.grid[k + 2][2] = clusters.at(k).portField;
    }
    settings::writeFile(program().programFolder + QStringLiteral("settings.ini"), values);
    m_window = std::make_unique<TForm_Settings>();
    Form_Settings = m_window.get();
}

TestSettings::~TestSettings() {
    if (Form_Settings == m_window.get())
        Form_Settings = nullptr;
}

QString TestSettings::chargeFolder() const { return program().programFolder + QStringLiteral("Charge/"); }

} // namespace kalver::test
