// The subsystem list of a station type, the rows of a description file and the read request body.

#include "stationdata/StationTypeKey.h"
#include "stationdata/SubsystemList.h"
#include "stationdata/SubsystemRequest.h"
#include "stationdata/SubsystemRows.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

using namespace kalver;
using namespace kalver::stationdata;

namespace {

SubsystemFile threeParameters() {
    return SubsystemFile(QStringLiteral("Регистратор"), QStringLiteral("v1"),
                         {{QStringLiteral("Частота"), QStringLiteral("rw"), QStringLiteral("uint32"), QStringLiteral("1"),
                           QStringLiteral("4000"), QStringLiteral("гц")},
                          {QStringLiteral("Серийный номер"), QStringLiteral("r"), QStringLiteral("hex32"), QString(),
                           QString(), QStringLiteral("примечание")},
                          {QStringLiteral("Усиление"), QStringLiteral("rw"), QStringLiteral("float"), QStringLiteral("0.5"),
                           QStringLiteral("64"), QString()}});
}

} // namespace

TEST(StationTypeKey, IsTheFirstSevenBytesAsALittleEndianNumber) {
    EXPECT_EQ(stationTypeKey(QByteArrayView("ABCDEFGH", 8)), QStringLiteral("0047464544434241"));
    // Both demonstration types share their first seven bytes, so they share one folder.
    EXPECT_EQ(stationTypeKey(QByteArrayView("qm7  521", 8)), stationTypeKey(QByteArrayView("qm7  52\0", 8)));
    EXPECT_EQ(stationTypeKey(QByteArrayView("qm7  52\0", 8)), QStringLiteral("0032352020376D71"));
    EXPECT_EQ(stationTypeKey(QByteArrayView("\xFF", 1)), QStringLiteral("00000000000000FF"));
}

TEST(SubsystemList, ListsTheSubFilesOfTheTypeFolderByName) {
    test::ScratchFolder folder;
    const QString key = stationTypeKey(QByteArrayView("qm7  521", 8));
    folder.write(QStringLiteral("Subsystems/") + key + QStringLiteral("/питания.sub"), "x");
    folder.write(QStringLiteral("Subsystems/") + key + QStringLiteral("/интерфейса.SUB"), "x");
    folder.write(QStringLiteral("Subsystems/") + key + QStringLiteral("/readme.txt"), "x");
    folder.write(QStringLiteral("Subsystems/0000000000000001/другой.sub"), "x");

    const auto items = subsystemItems(folder.path(), QByteArrayView("qm7  521", 8));
    ASSERT_TRUE(items);
    EXPECT_EQ(*items, (QStringList{key + QStringLiteral("\\интерфейса.SUB"), key + QStringLiteral("\\питания.sub")}));
    EXPECT_EQ(subsystemFilePath(folder.path(), items->at(1)),
              folder.path() + QStringLiteral("Subsystems/") + key + QStringLiteral("/питания.sub"));

    EXPECT_FALSE(subsystemItems(folder.path(), QByteArrayView("other123", 8)));
}

TEST(SubsystemRows, AFileOfTwoPlusSixNPlusOneLinesGivesNRowsWithoutTheirSixthLines) {
    test::ScratchFolder folder;
    const QByteArray bytes = threeParameters().toBytes();
    ASSERT_EQ(SubsystemFile::splitLines(bytes).size(), 2 + 6 * 3 + 1);
    folder.write(QStringLiteral("ok.sub"), bytes);

    const SubsystemRows rows = readSubsystemRows(folder.file(QStringLiteral("ok.sub")));
    EXPECT_TRUE(rows.checkPassed);
    ASSERT_EQ(rows.grid.rows.size(), 3);
    const link::ParameterRow expected{QStringLiteral("Серийный номер"), QStringLiteral("r"), QStringLiteral("hex32"),
                                      QString(), QString(), QString(), QString()};
    EXPECT_EQ(rows.grid.rows.at(1), expected);
    for (const link::ParameterRow& row : rows.grid.rows)
        for (const QString& cell : {row.name, row.access, row.type, row.minimum, row.maximum})
            EXPECT_FALSE(cell.contains(QStringLiteral("примечание")) || cell == QStringLiteral("гц"));
}

TEST(SubsystemRows, OneChangedCharacterFailsTheCheck) {
    test::ScratchFolder folder;
    QByteArray bytes = threeParameters().toBytes();
    const qsizetype at = bytes.indexOf("4000");
    ASSERT_GE(at, 0);
    bytes[at] = '5'; // "5000": the layout is right, the check value no longer is
    folder.write(QStringLiteral("bad.sub"), bytes);
    EXPECT_FALSE(readSubsystemRows(folder.file(QStringLiteral("bad.sub"))).checkPassed);
    EXPECT_FALSE(readSubsystemRows(folder.file(QStringLiteral("missing.sub"))).checkPassed);
}

TEST(SubsystemRequest, ReadBodyIsStationCharSizeLengthAndUtf16Key) {
    const QByteArray body = subsystemRequestBody(7, QStringLiteral("K\\я.sub"));
    const QByteArray expected = QByteArray::fromHex("07000000"                       // station
                                                    "02000000"                       // bytes per character
                                                    "07000000"                       // characters
                                                    "4b005c004f042e00730075006200"); // K \ я . s u b
    EXPECT_EQ(body.toHex(), expected.toHex());
}
