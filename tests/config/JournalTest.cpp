#include "config/Journal.h"
#include "core/ProgramValues.h"
#include "support/ScratchFolder.h"

#include <QFile>
#include <QLocale>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kalver;

namespace {

// UTF-16LE bytes of an ASCII text.
QByteArray utf16le(const char* ascii) {
    QByteArray out;
    for (const char* p = ascii; *p; ++p) {
        out += *p;
        out += '\0';
    }
    return out;
}

} // namespace

TEST(Journal, NewFileIsTheE013LineInUtf16WithoutMark) {
    test::ScratchFolder folder;
    const QString path = folder.file(QStringLiteral("arch.res"));
    ASSERT_TRUE(journal::startNewFile(path, TDateTime(45000.0)));
    EXPECT_EQ(folder.read(QStringLiteral("arch.res")), utf16le("45000|e013\r\n"));
}

TEST(Journal, AppendedEntryFollowsInWritingOrder) {
    test::ScratchFolder folder;
    const QString path = folder.file(QStringLiteral("arch.res"));
    ASSERT_TRUE(journal::startNewFile(path, TDateTime(45000.0)));
    ASSERT_TRUE(journal::appendEntry(path, QStringLiteral("w004|Demo"), TDateTime(45001.0)));
    ASSERT_TRUE(journal::appendEntry(path, QStringLiteral("w005|Иван"), TDateTime(45001.0)));
    QByteArray expected = utf16le("45000|e013\r\n45001|w004|Demo\r\n45001|w005|");
    const QString name = QStringLiteral("Иван");
    expected.append(reinterpret_cast<const char*>(name.utf16()), name.size() * 2);
    expected += utf16le("\r\n");
    EXPECT_EQ(folder.read(QStringLiteral("arch.res")), expected);
}

TEST(Journal, TimestampIsAGeneralFormatDayCountWithUpTo15Digits) {
    const QString point = QLocale::system().decimalPoint();
    EXPECT_EQ(journal::timestampText(TDateTime(45000.0)), QStringLiteral("45000"));
    EXPECT_EQ(journal::timestampText(TDateTime(45000.5)), QStringLiteral("45000") + point + QStringLiteral("5"));
    EXPECT_EQ(journal::timestampText(TDateTime(45000.123456789012345)),
              QStringLiteral("45000") + point + QStringLiteral("123456789"));
    EXPECT_EQ(journal::timestampText(TDateTime(45000.1234567891)),
              QStringLiteral("45000") + point + QStringLiteral("1234567891"));
}

TEST(Journal, OpeningRules) {
    test::ScratchFolder folder;
    const QString path = folder.file(QStringLiteral("arch.res"));
    // Append and check need an existing file; openOrStart starts one.
    EXPECT_FALSE(journal::appendEntry(path, QStringLiteral("w000|x")));
    EXPECT_FALSE(journal::checkFile(path));
    EXPECT_TRUE(journal::openOrStart(path));
    const QByteArray first = folder.read(QStringLiteral("arch.res"));
    EXPECT_TRUE(first.endsWith(utf16le("|e013\r\n")));
    // An existing journal is only checked, never started again.
    EXPECT_TRUE(journal::openOrStart(path));
    EXPECT_EQ(folder.read(QStringLiteral("arch.res")), first);
    // The program's journal path is where write() goes.
    EXPECT_TRUE(journal::write(QStringLiteral("e010")));
    EXPECT_TRUE(folder.read(QStringLiteral("arch.res")).endsWith(utf16le("|e010\r\n")));
    // A folder that does not exist cannot hold the journal.
    EXPECT_FALSE(journal::openOrStart(folder.file(QStringLiteral("missing/arch.res"))));
}

TEST(Journal, AnEntryFailsWhileAnotherWriterHoldsTheFile) {
    test::ScratchFolder folder;
    const QString path = folder.file(QStringLiteral("arch.res"));
    ASSERT_TRUE(journal::startNewFile(path, TDateTime(45000.0)));
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    EXPECT_FALSE(journal::appendEntry(path, QStringLiteral("w001|x")));
    EXPECT_FALSE(journal::checkFile(path));
    ::close(fd);
    EXPECT_TRUE(journal::appendEntry(path, QStringLiteral("w001|x")));
}

// The operators of an installed program share one journal: a journal that one of them starts (umask
// 002, group-writable files) must stay writable for the others of the group.
TEST(Journal, NewFileTakesTheModeTheUmaskLeaves) {
    test::ScratchFolder folder;
    const QString path = folder.file(QStringLiteral("arch.res"));
    const mode_t old = ::umask(002);
    const bool started = journal::startNewFile(path, TDateTime(45000.0));
    ::umask(old);
    ASSERT_TRUE(started);
    EXPECT_TRUE(QFile::permissions(path).testFlag(QFileDevice::WriteGroup));
    EXPECT_FALSE(QFile::permissions(path).testFlag(QFileDevice::WriteOther));
}
