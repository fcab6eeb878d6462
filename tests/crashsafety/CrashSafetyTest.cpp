// A process writing the program's files through the program's own file code is killed with SIGKILL at
// many moments. Afterwards each whole file (settings.ini, users.dat, settings_StD.ini) is byte for byte
// one of its two versions, and the journal holds whole lines only: "timestamp|entry" CR LF, the
// entries in order without a gap.

#include "FileVersions.h"

#include "config/Journal.h"
#include "support/ScratchFolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace kalver;
using namespace kalver::crashsafety;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Which version `bytes` is: 0, 1, or -1 for neither.
int versionOf(const QByteArray& bytes, const QByteArray& v0, const QByteArray& v1) {
    return bytes == v0 ? 0 : (bytes == v1 ? 1 : -1);
}

// Waits until the writer printed a line beginning with `wanted` (or any round number at least
// `rounds`); false when it ended or nothing came within a generous deadline.
bool waitForRound(QProcess& writer, int rounds) {
    QByteArray seen;
    for (;;) {
        while (writer.canReadLine()) {
            const QByteArray line = writer.readLine().trimmed();
            if (rounds == 0 && line == "ready")
                return true;
            bool ok = false;
            if (line.toInt(&ok) >= rounds && ok && rounds > 0)
                return true;
        }
        if (writer.state() != QProcess::Running || !writer.waitForReadyRead(10000))
            return false;
    }
}

void checkJournal(const QByteArray& bytes) {
    ASSERT_EQ(bytes.size() % 2, 0) << "half a UTF-16 character";
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2);
    ASSERT_TRUE(text.endsWith(QStringLiteral("\r\n"))) << "the last line is cut: " << qPrintable(text.right(40));
    QStringList lines = text.split(QStringLiteral("\r\n"));
    lines.removeLast();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines.first().endsWith(QStringLiteral("|e013")));
    const QRegularExpression stamp(QStringLiteral("^[0-9]+([.,][0-9]+)?\\|"));
    for (int i = 1; i < lines.size(); ++i) {
        ASSERT_TRUE(stamp.match(lines[i]).hasMatch()) << qPrintable(lines[i].left(60));
        const QString entry = lines[i].mid(lines[i].indexOf(QLatin1Char('|')) + 1);
        ASSERT_EQ(entry, journalEntry(i)) << "line " << i;
    }
}

} // namespace

TEST(CrashSafety, KilledWriterLeavesWholeFilesAndWholeJournalLines) {
    const QByteArray settings0 = settings::toBytes(settingsVersion(0));
    const QByteArray settings1 = settings::toBytes(settingsVersion(1));
    const QByteArray users0 = users::toBytes(usersVersion(0), noBlanks);
    const QByteArray users1 = users::toBytes(usersVersion(1), noBlanks);
    const QByteArray inputs0 = stationdata::encodeInputs(inputsVersion(0), inputsWithChannels(0));
    const QByteArray inputs1 = stationdata::encodeInputs(inputsVersion(1), inputsWithChannels(1));

    constexpr int kKills = 25;
    int sawVersion1 = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE(kill);
        test::ScratchFolder folder;
        QProcess writer;
        writer.setProcessChannelMode(QProcess::SeparateChannels);
        writer.start(QStringLiteral(KALVER_CRASH_WRITER), {folder.path()});
        ASSERT_TRUE(writer.waitForStarted(10000));
        // The kill lands somewhere in the writing that follows: after "ready", or after round 1...4.
        ASSERT_TRUE(waitForRound(writer, kill % 5)) << qPrintable(writer.readAllStandardError());
        writer.kill(); // SIGKILL
        ASSERT_TRUE(writer.waitForFinished(10000));
        ASSERT_EQ(writer.exitStatus(), QProcess::CrashExit);

        const int s = versionOf(readAll(folder.file(QStringLiteral("settings.ini"))), settings0, settings1);
        const int u = versionOf(readAll(folder.file(QStringLiteral("users.dat"))), users0, users1);
        const int i = versionOf(readAll(folder.file(QStringLiteral("settings_StD.ini"))), inputs0, inputs1);
        EXPECT_NE(s, -1) << "settings.ini is neither version";
        EXPECT_NE(u, -1) << "users.dat is neither version";
        EXPECT_NE(i, -1) << "settings_StD.ini is neither version";
        sawVersion1 += (s == 1) + (u == 1) + (i == 1);
        // The files also read back through the readers the program uses.
        EXPECT_TRUE(settings::readFile(folder.file(QStringLiteral("settings.ini"))).has_value());
        EXPECT_TRUE(users::readLines(folder.file(QStringLiteral("users.dat"))).has_value());
        checkJournal(readAll(folder.file(QStringLiteral("arch.res"))));
    }
    // The kills did land after new versions had replaced the first ones.
    EXPECT_GT(sawVersion1, 0);
}
