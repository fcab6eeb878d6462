#include "stationdata/SubsystemFile.h"

#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

using kalver::SubsystemFile;
using kalver::SubsystemParameter;

namespace {

// The lines of a file with `groups` parameter groups and `surplus` further lines before the check line;
// every line is distinct so a misplaced line shows.
QStringList linesWith(int groups, int surplus) {
    QStringList lines{"header 0", "header 1"};
    for (int g = 0; g < groups; ++g)
        for (int k = 0; k < 6; ++k)
            lines << QStringLiteral("p%1.%2").arg(g).arg(k);
    for (int s = 0; s < surplus; ++s)
        lines << QStringLiteral("surplus %1").arg(s);
    lines << QString::number(SubsystemFile::checkValue(lines), 16);
    return lines;
}

QByteArray crlf(const QStringList& lines) { return lines.join("\r\n").toLatin1() + "\r\n"; }

const QList<SubsystemParameter> kRussianParameters = {
    {"Частота дискретизации", "rw", "uint32", "1", "4000", "500"},
    {"Коэффициент АЦП", "r", "float", "", "", "2.5e-7"},
    {"Таблица смещений", "rw", "table16/int32", "", "", "0"},
    {"Сбойные блоки", "r", "tab2", "", "", ""},
};

} // namespace

TEST(SubsystemFile, GroupsOfSixLinesGiveOneParameterEach) {
    struct Case { int groups; int surplus; int expectedParameters; };
    const Case cases[] = {{0, 0, 0}, {1, 0, 1}, {3, 0, 3}, {3, 5, 3}, {2, 6, 3}, {0, 5, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 groups + %2 surplus lines").arg(c.groups).arg(c.surplus).toStdString());
        const SubsystemFile file = SubsystemFile::fromBytes(crlf(linesWith(c.groups, c.surplus)));
        EXPECT_TRUE(file.checkPassed());
        ASSERT_EQ(file.parameters().size(), c.expectedParameters);
        EXPECT_EQ(file.headerLine(0), "header 0");
        EXPECT_EQ(file.headerLine(1), "header 1");
        for (int g = 0; g < std::min(c.groups, c.expectedParameters); ++g) {
            const SubsystemParameter& p = file.parameters().at(g);
            EXPECT_EQ(p.name, QStringLiteral("p%1.0").arg(g));
            EXPECT_EQ(p.access, QStringLiteral("p%1.1").arg(g));
            EXPECT_EQ(p.type, QStringLiteral("p%1.2").arg(g));
            EXPECT_EQ(p.minimum, QStringLiteral("p%1.3").arg(g));
            EXPECT_EQ(p.maximum, QStringLiteral("p%1.4").arg(g));
            EXPECT_EQ(p.extra, QStringLiteral("p%1.5").arg(g));
        }
    }
}

TEST(SubsystemFile, WrittenFileReadsBackWithAPassingCheck) {
    const SubsystemFile written("Подсистема регистратора", "qm7  521", kRussianParameters);
    const QByteArray bytes = written.toBytes();
    EXPECT_TRUE(bytes.contains("\xD7\xE0\xF1\xF2\xEE\xF2\xE0")) << "Windows-1251, not UTF-8";
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 2 + 6 * 4 + 1);

    const SubsystemFile read = SubsystemFile::fromBytes(bytes);
    EXPECT_TRUE(read.checkPassed());
    EXPECT_EQ(read.headerLine(0), "Подсистема регистратора");
    EXPECT_EQ(read.parameters(), kRussianParameters);
    EXPECT_EQ(read.lineCount(), 2 + 6 * 4 + 1);
}

TEST(SubsystemFile, OneChangedCharacterFailsTheCheck) {
    const QByteArray good = SubsystemFile("Подсистема питания", "qm7  52", kRussianParameters).toBytes();
    ASSERT_TRUE(SubsystemFile::fromBytes(good).checkPassed());
    // A character of a header line, of a name, of a sixth line, and a digit of the check value itself.
    const QByteArray originals[] = {"\xEF\xE8\xF2\xE0\xED\xE8\xFF", "4000", "2.5e-7", "tab2"};
    const QByteArray changed[] = {"\xEF\xE8\xF2\xE0\xED\xE8\xE5", "4001", "2.5e-8", "tab3"};
    for (int i = 0; i < 4; ++i) {
        QByteArray bad = good;
        bad.replace(originals[i], changed[i]);
        ASSERT_NE(bad, good);
        EXPECT_FALSE(SubsystemFile::fromBytes(bad).checkPassed()) << originals[i].toStdString();
    }
    QByteArray badCheck = good;
    const qsizetype checkAt = good.lastIndexOf("\r\n", good.size() - 3) + 2;
    badCheck[checkAt] = badCheck[checkAt] == '0' ? '1' : '0';
    EXPECT_FALSE(SubsystemFile::fromBytes(badCheck).checkPassed());
}

TEST(SubsystemFile, CheckIsOverTheLowByteOfEachCharacterNotTheFileBytes) {
    // "Я" is byte 0xDF in the file and U+042F as a character: the check takes 0x2F.
    EXPECT_TRUE(SubsystemFile::fromBytes("\xDF\r\n\r\n2F\r\n").checkPassed());
    EXPECT_FALSE(SubsystemFile::fromBytes("\xDF\r\n\r\nDF\r\n").checkPassed());
    // The same text in UTF-8 and UTF-16 with a byte-order mark gives the same characters and check.
    EXPECT_TRUE(SubsystemFile::fromBytes("\xEF\xBB\xBF\xD0\xAF\r\n\r\n2f").checkPassed());
    EXPECT_TRUE(SubsystemFile::fromBytes(QByteArray("\xFF\xFE\x2F\x04\r\0\n\0" "2\0F\0", 12)).checkPassed());
    // Plain ASCII: 'a' ^ 'b' ^ 'c' = 0x60; line ends do not count.
    EXPECT_TRUE(SubsystemFile::fromBytes("ab\r\nc\r\n60").checkPassed());
}

TEST(SubsystemFile, LastLineThatIsNotAHexadecimalNumberFailsTheCheck) {
    const char* lastLines[] = {"", "zz", "0x60", "60h", "-60", "000000060"};
    for (const char* last : lastLines) {
        SCOPED_TRACE(last);
        EXPECT_FALSE(SubsystemFile::fromBytes(QByteArray("ab\r\nc\r\n") + last + "\r\n").checkPassed());
    }
    EXPECT_TRUE(SubsystemFile::fromBytes("ab\r\nc\r\n 060 \r\n").checkPassed());
    EXPECT_FALSE(SubsystemFile::fromBytes("").checkPassed());
}

TEST(SubsystemFile, LineEndsOfEveryKindSplitTheSameWay) {
    const QStringList expected{"a", "", "b", "c"};
    EXPECT_EQ(SubsystemFile::splitLines("a\r\n\r\nb\r\nc\r\n"), expected);
    EXPECT_EQ(SubsystemFile::splitLines("a\n\nb\nc"), expected);
    EXPECT_EQ(SubsystemFile::splitLines("a\r\rb\r\nc\n"), expected);
    EXPECT_EQ(SubsystemFile::splitLines(""), QStringList());
    EXPECT_EQ(SubsystemFile::splitLines("\r\n"), QStringList{""});
}

TEST(SubsystemFile, WritingReplacesLineBreaksInsideAFieldSoTheLayoutHolds) {
    QList<SubsystemParameter> parameters = kRussianParameters;
    parameters[0].name = "two\r\nlines";
    const SubsystemFile read = SubsystemFile::fromBytes(SubsystemFile("h", "", parameters).toBytes());
    EXPECT_TRUE(read.checkPassed());
    ASSERT_EQ(read.parameters().size(), parameters.size());
    EXPECT_EQ(read.parameters().at(0).name, "two  lines");
    EXPECT_EQ(read.parameters().at(3), parameters.at(3));
}

TEST(SubsystemFile, ReadsFromDiskAndRefusesMissingOrOversizedFiles) {
    kalver::test::ScratchFolder folder;
    const SubsystemFile file("Подсистема угломера", "", kRussianParameters);
    ASSERT_TRUE(file.write(folder.file("угломера.sub")));
    const std::optional<SubsystemFile> read = SubsystemFile::read(folder.file("угломера.sub"));
    ASSERT_TRUE(read.has_value());
    EXPECT_TRUE(read->checkPassed());
    EXPECT_EQ(read->parameters(), kRussianParameters);

    EXPECT_FALSE(SubsystemFile::read(folder.file("нет такого.sub")).has_value());
    folder.write("big.sub", QByteArray(SubsystemFile::kMaxFileBytes + 1, 'a'));
    EXPECT_FALSE(SubsystemFile::read(folder.file("big.sub")).has_value());
}
