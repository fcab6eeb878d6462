// Subsystem data (112): every value type, table and tab2 rows into the small table, "w" rows, short
// payloads, unknown types, a table count the payload cannot hold, the system configuration check;
// save results (113).

#include "LinkFixture.h"

#include "config/Journal.h"
#include "core/ByteWriter.h"
#include "core/ProgramValues.h"
#include "link/SaveResult.h"
#include "link/SubsystemData.h"
#include "support/MessageRecorder.h"
#include "support/ScratchFolder.h"

#include <QLocale>

using namespace kalver;
using namespace kalver::link;
using namespace kalver::test;

namespace {

ParameterGrid grid(std::initializer_list<std::pair<const char*, const char*>> rows) {
    ParameterGrid g;
    int i = 0;
    for (const auto& [access, type] : rows) {
        ParameterRow r;
        r.name = QStringLiteral("p%1").arg(i++);
        r.access = QString::fromLatin1(access);
        r.type = QString::fromLatin1(type);
        g.rows.append(r);
    }
    return g;
}

QStringList values(const ParameterGrid& g) {
    QStringList out;
    for (const ParameterRow& r : g.rows)
        out.append(r.value);
    return out;
}

class SubsystemDataTest : public ::testing::Test {
protected:
    SubsystemDataTest() { QLocale::setDefault(QLocale::c()); }
    ~SubsystemDataTest() override { QLocale::setDefault(QLocale::system()); }
};

} // namespace

TEST_F(SubsystemDataTest, EveryScalarType) {
    ParameterGrid g = grid({{"r", "int32"}, {"rw", "uint32"}, {"r", "uint64"}, {"r", "int64"}, {"r", "float"},
                            {"r", "hex32"}, {"w", "int32"}, {"r", "int32"}});
    g.rows[6].value = QStringLiteral("kept");
    ByteWriter w;
    w.putI32(-5).putU32(4000000000u).put<std::uint64_t>(0xFFFFFFFFFFFFFFFFull).put<std::int64_t>(1234567890123LL)
        .put<float>(0.5f).putU32(0xAbCdEf01u).putI32(42);
    EXPECT_EQ(decodeSubsystemData(g, nullptr, w.bytes()), ack::Accepted);
    EXPECT_EQ(values(g), QStringList({"-5", "4000000000", "-1", "1234567890123", "0.5", "ABCDEF01", "kept", "42"}))
        << "a \"w\" row consumes nothing and keeps its value";
}

TEST_F(SubsystemDataTest, OneByteShortGivesThreeWithEarlierValuesShown) {
    ParameterGrid g = grid({{"r", "int32"}, {"r", "hex32"}, {"r", "int32"}});
    ByteWriter w;
    w.putI32(1).putU32(0xFF).putU16(0).putU8(0);
    EXPECT_EQ(decodeSubsystemData(g, nullptr, w.bytes()), ack::SizeMismatch);
    EXPECT_EQ(values(g), QStringList({"1", "000000FF", ""}));
}

TEST_F(SubsystemDataTest, TableRowFillsTheSmallTable) {
    ParameterGrid g = grid({{"r", "int32"}, {"r", "table4/hex32"}, {"r", "int32"}});
    g.rows[1].name = QStringLiteral("Коэффициенты");
    SmallTable table;
    ByteWriter w;
    w.putI32(7).putU32(0x41424344u).putU32(0x1Fu).putU32(0xC0C1C2C3u).putU32(0).putI32(8);
    EXPECT_EQ(decodeSubsystemData(g, &table, w.bytes()), ack::Accepted);
    EXPECT_EQ(values(g), QStringList({"7", QStringLiteral("Введите символ >"), "8"}));
    EXPECT_EQ(table.caption, QStringLiteral("Коэффициенты"));
    EXPECT_EQ(table.rows, (QList<SmallTableRow>{{"0", "41424344"}, {"1", "0000001F"}, {"2", "C0C1C2C3"},
                                                {"3", "00000000"}}));
    // The raw bytes: below 32 as ".", others in Windows-1251.
    EXPECT_EQ(table.memo, QStringLiteral("DCBA....ГВБА...."));
}

TEST_F(SubsystemDataTest, TableElementTypes) {
    struct Case { const char* type; QByteArray bytes; QStringList texts; };
    ByteWriter i32; i32.putI32(-2).putU32(4000000000u);
    ByteWriter i64; i64.put<std::int64_t>(-3).put<std::uint64_t>(5);
    ByteWriter f; f.put<float>(1.5f).put<float>(-0.25f);
    const Case cases[] = {
        {"table2/int32", i32.bytes(), {"-2", "-294967296"}},
        {"table2/uint32", i32.bytes(), {"-2", "-294967296"}}, // unsigned elements are shown signed
        {"table2/int64", i64.bytes(), {"-3", "5"}},
        {"table2/uint64", i64.bytes(), {"-3", "5"}},
        {"table2/float", f.bytes(), {"1.5", "-0.25"}},
    };
    for (const Case& c : cases) {
        ParameterGrid g = grid({{"r", c.type}});
        SmallTable table;
        ASSERT_EQ(decodeSubsystemData(g, &table, c.bytes), ack::Accepted) << c.type;
        QStringList texts;
        for (const SmallTableRow& r : table.rows)
            texts.append(r.value);
        EXPECT_EQ(texts, c.texts) << c.type;
    }
}

TEST_F(SubsystemDataTest, Tab2ReadsTheBadBlockTable) {
    ParameterGrid g = grid({{"r", "tab2"}, {"r", "int32"}});
    SmallTable table;
    ByteWriter w;
    for (std::uint32_t i = 0; i < 1024; ++i)
        w.putU32(i * 0x10001u);
    w.putI32(-1);
    EXPECT_EQ(decodeSubsystemData(g, &table, w.bytes()), ack::Accepted);
    EXPECT_EQ(table.caption, QStringLiteral("Таблица сбойных блоков"));
    ASSERT_EQ(table.rows.size(), 1024);
    EXPECT_EQ(table.rows[0], (SmallTableRow{"0", "00000000"}));
    EXPECT_EQ(table.rows[1023], (SmallTableRow{"1023", "03FF03FF"}));
    EXPECT_EQ(table.memo.size(), 4096);
    EXPECT_EQ(values(g), QStringList({QStringLiteral("Введите символ >"), "-1"}));

    ParameterGrid shortGrid = grid({{"r", "tab2"}});
    EXPECT_EQ(decodeSubsystemData(shortGrid, &table, w.bytes().left(4095)), ack::SizeMismatch);
}

TEST_F(SubsystemDataTest, UnknownTypesAndTableSpecificationsGiveFour) {
    for (const char* type : {"int16", "table4/int16", "tableX/int32", "table4int32", "table-1/int32", "INT32", ""}) {
        ParameterGrid g = grid({{"r", "int32"}, {"r", type}});
        EXPECT_EQ(decodeSubsystemData(g, nullptr, QByteArray(64, '\0')), ack::UnknownType) << type;
        EXPECT_EQ(g.rows[0].value, QStringLiteral("0")) << "earlier values stay";
    }
}

TEST_F(SubsystemDataTest, TableCountBeyondThePayloadGivesThreeBeforeAllocating) {
    SmallTable table;
    table.caption = QStringLiteral("before");
    for (const char* type : {"table2147483647/int64", "table1000000/int32", "table3/int32"}) {
        ParameterGrid g = grid({{"r", type}});
        EXPECT_EQ(decodeSubsystemData(g, &table, QByteArray(8, '\0')), ack::SizeMismatch) << type;
    }
    EXPECT_EQ(table.caption, QStringLiteral("before"));
    // A table of zero elements is a table all the same.
    ParameterGrid empty = grid({{"r", "table0/int32"}});
    EXPECT_EQ(decodeSubsystemData(empty, &table, {}), ack::Accepted);
    EXPECT_TRUE(table.rows.isEmpty());
}

TEST_F(SubsystemDataTest, RefusalGivesFive) {
    ParameterGrid g = grid({{"r", "int32"}});
    EXPECT_EQ(decodeSubsystemData(g, nullptr, QByteArray(1, '\xFF')), ack::Refused);
    EXPECT_EQ(decodeSubsystemData(g, nullptr, QByteArray(1, '\x01')), ack::SizeMismatch);
}

class SubsystemHandlerTest : public LinkFixture {};

TEST_F(SubsystemHandlerTest, SystemConfigurationNeedsARealInRowSix) {
    ScratchFolder folder;
    ASSERT_TRUE(journal::startNewFile(program().journalFilePath));
    MessageRecorder boxes;
    observer.grid = grid({{"r", "int32"}, {"r", "int32"}, {"r", "int32"}, {"r", "int32"}, {"r", "int32"},
                          {"r", "hex32"}});
    ByteWriter w;
    for (int i = 0; i < 6; ++i)
        w.putI32(0x0A0B0C0D);
    ClusterRef ref(list, cluster);

    observer.subsystem = QStringLiteral("0047464544434241\\регистратора.sub");
    EXPECT_EQ(handleSubsystemData(ref, w.bytes()), ack::Accepted);
    EXPECT_TRUE(boxes.shown().isEmpty());

    // Row 6 holds hexadecimal digits, which do not convert to a real.
    observer.subsystem = QStringLiteral("0047464544434241\\системной конфигурации.sub");
    EXPECT_EQ(handleSubsystemData(ref, w.bytes()), ack::Accepted);
    ASSERT_EQ(boxes.codes(), QStringList({"e055"}));
    EXPECT_EQ(boxes.shown()[0].icon, MessageIcon::Error);
    EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("Данные по  параметру ADCdigitValue не могут быть преобразованы!"));
    const QString journalText = QString::fromUtf16(
        reinterpret_cast<const char16_t*>(folder.read(QStringLiteral("arch.res")).constData()),
        folder.read(QStringLiteral("arch.res")).size() / 2);
    EXPECT_TRUE(journalText.contains(QStringLiteral("|e055|1|ADCdigitValue\r\n"))) << journalText.toStdString();

    // A decimal value converts: nothing shown.
    boxes.clear();
    observer.grid.rows[5].type = QStringLiteral("float");
    EXPECT_EQ(handleSubsystemData(ref, w.bytes()), ack::Accepted);
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_EQ(observer.decoded.size(), 3);
}

TEST(SaveResult, WordOneIsSavedAnythingElseIsThree) {
    ByteWriter one, two;
    one.putI32(1);
    two.putI32(2);
    EXPECT_EQ(decodeSaveResult(one.bytes()), ack::Accepted);
    EXPECT_EQ(decodeSaveResult(one.bytes() + "extra"), ack::Accepted);
    EXPECT_EQ(decodeSaveResult(two.bytes()), ack::SizeMismatch);
    EXPECT_EQ(decodeSaveResult(one.bytes().left(3)), ack::SizeMismatch);
    EXPECT_EQ(decodeSaveResult({}), ack::SizeMismatch);
}
