// The subsystem write: checks of entered values by type and limits, the current values sent back,
// the body and the e057 list.

#include "core/ByteWriter.h"
#include "link/SubsystemData.h"
#include "stationdata/ParameterValue.h"
#include "stationdata/SubsystemRequest.h"
#include "stationdata/SubsystemWrite.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <cfloat>

using namespace kalver;
using namespace kalver::stationdata;

namespace {

const QString kOk;
const QString kInput = QString::fromUtf16(kInputErrorText);
const QString kBelow = QString::fromUtf16(kBelowMinimumText);
const QString kAbove = QString::fromUtf16(kAboveMaximumText);

struct NewValueCase {
    const char* type;
    const char* text;
    const char* minimum;
    const char* maximum;
    const char* bytesHex; // expected little-endian bytes when the value passes
    QString error;
};

link::ParameterRow row(const char* name, const char* access, const char* type, const char* value,
                       const char* newValue, const char* minimum = "", const char* maximum = "") {
    return {QString::fromUtf8(name), QString::fromUtf8(access), QString::fromUtf8(type), QString::fromUtf8(minimum),
            QString::fromUtf8(maximum), QString::fromUtf8(value), QString::fromUtf8(newValue)};
}

} // namespace

TEST(ParameterValue, NewValuesAreCheckedByTypeAndLimits) {
    const NewValueCase cases[] = {
        {"int32", "12", "", "", "0c000000", kOk},
        {"int32", "-3", "-3", "", "fdffffff", kOk},
        {"int32", "-4", "-3", "", "", kBelow},
        {"int32", "10", "", "9", "", kAbove},
        {"int32", "abc", "0", "9", "", kInput},
        {"int32", "3000000000", "", "", "", kInput},
        {"int32", "5", "abc", "", "05000000", kOk}, // a limit that is no number sets no limit
        {"uint32", "-5", "", "", "", kBelow},
        {"uint32", "-5", "0", "3", "", kBelow},      // one message per row, not also "больше максимума"
        {"uint32", "4000000000", "", "", "00286bee", kOk},
        {"uint32", "5", "10", "", "", kBelow},
        {"uint32", "x", "", "", "", kInput},
        {"uint64", "5000000000", "", "", "00f2052a01000000", kOk},
        {"uint64", "-1", "", "", "", kBelow},
        {"uint64", "11", "", "10", "", kAbove},
        {"float", "1.5", "", "", "0000c03f", kOk},
        {"float", "65", "0.5", "64", "", kAbove},
        {"float", "0.25", "0.5", "64", "", kBelow},
        {"float", "1e50", "", "", "", kInput},
        {"float", "много", "", "", "", kInput},
        {"hex32", "FF", "", "", "ff000000", kOk},
        {"hex32", "ff", "0", "FF", "ff000000", kOk},
        {"hex32", "FFFFFFFF", "", "", "ffffffff", kOk},
        {"hex32", "100", "", "FF", "", kAbove},
        {"hex32", "-1", "", "", "", kBelow},
        {"hex32", "G1", "", "", "", kInput},
        {"hex32", "0x10", "", "", "", kInput}, // the text is read after an added "0x"
    };
    for (const NewValueCase& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " '" + c.text + "' [" + c.minimum + ", " + c.maximum + "]");
        const std::optional<WriteType> type = writeType(QString::fromUtf8(c.type));
        ASSERT_TRUE(type);
        const CheckedValue checked = checkNewValue(*type, QString::fromUtf8(c.text), QString::fromUtf8(c.minimum),
                                                   QString::fromUtf8(c.maximum));
        EXPECT_EQ(checked.error, c.error);
        EXPECT_EQ(checked.bytes.toHex(), QByteArray(c.bytesHex));
    }
}

TEST(ParameterValue, TypesAWriteDoesNotCarry) {
    for (const char* type : {"int64", "table4/int32", "tab2", "Int32", ""})
        EXPECT_FALSE(writeType(QString::fromUtf8(type))) << type;
}

TEST(ParameterValue, CurrentValuesAreReadAsTheReplyShowsThem) {
    const struct {
        WriteType type;
        const char* value;
        const char* bytesHex;
    } cases[] = {
        {WriteType::Int32, "-2", "feffffff"},
        {WriteType::UInt32, "4000000000", "00286bee"},
        {WriteType::UInt64, "-1", "ffffffffffffffff"}, // the reply shows uint64 signed
        {WriteType::UInt64, "18446744073709551615", "ffffffffffffffff"},
        {WriteType::Float, "2.5", "00002040"},
        {WriteType::Hex32, "0000ABCD", "cdab0000"},
        {WriteType::Int32, "", "00000000"}, // a write-only row has no current value
        {WriteType::UInt64, "", "0000000000000000"},
        {WriteType::Float, "nan", "00000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(currentValueBytes(c.type, QString::fromUtf8(c.value)).toHex(), QByteArray(c.bytesHex));
    }
}

// A "float" parameter as the operator sees it (the subsystem data reply's text, in the Russian locale)
// and as it goes back to the station: sent unchanged or entered again as shown, it is the same 32-bit
// value, byte for byte.
TEST(ParameterValue, FloatShowsItsShortestTextAndWritesBackTheSameBytes) {
    struct RussianLocale {
        QLocale old;
        RussianLocale() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
        ~RussianLocale() { QLocale::setDefault(old); }
    } russian;
    const struct {
        float value;
        const char* shown;
    } cases[] = {
        {169.25955f, "169,25955"},
        {5.86f, "5,86"},
        {0.1f, "0,1"},
        {1e-7f, "1E-7"},
        {0.00001f, "0,00001"},
        {16777217.0f, "16777216"},
        {1e10f, "10000000000"},
        {1e20f, "1E20"},
        {FLT_MAX, "3,4028235E38"},
        {FLT_TRUE_MIN, "1E-45"},
        {-273.15f, "-273,15"},
        {-1.5e-30f, "-1,5E-30"},
        {0.0f, "0"},
        {-0.0f, "-0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        const QByteArray bytes = ByteWriter(4).put<float>(c.value).take();
        link::ParameterGrid grid;
        grid.rows = {row("F", "rw", "float", "", "")};
        ASSERT_EQ(link::decodeSubsystemData(grid, nullptr, bytes), 1);
        const QString shown = grid.rows[0].value;
        EXPECT_EQ(shown, QString::fromUtf8(c.shown));
        EXPECT_EQ(currentValueBytes(WriteType::Float, shown).toHex(), bytes.toHex());
        const CheckedValue entered = checkNewValue(WriteType::Float, shown, QString(), QString());
        EXPECT_EQ(entered.error, kOk);
        EXPECT_EQ(entered.bytes.toHex(), bytes.toHex());
    }
}

TEST(SubsystemWrite, BodyCarriesEveryWritableRowOfAKnownTypeInRowOrder) {
    const QString key = QStringLiteral("K\\питания.sub");
    link::ParameterGrid grid;
    grid.rows = {
        row("A", "r", "int32", "1", ""),             // read-only: nothing
        row("B", "rw", "uint32", "7", ""),           // unchanged: 0, current value
        row("C", "rw", "hex32", "00000010", "FF"),   // new: 1, 255
        row("D", "w", "int32", "", ""),              // write-only without value: 0, zero
        row("E", "rw", "int64", "5", "6"),           // int64 is not written
        row("F", "rw", "table4/int32", "Введите символ >", ""),
        row("G", "rw", "float", "1", "2"),
        row("H", "rw", "uint64", "-1", ""),
    };
    ASSERT_TRUE(hasNewValues(grid));
    const SubsystemWrite write = buildSubsystemWrite(9, key, grid);
    EXPECT_TRUE(write.ok());
    const QByteArray entries = QByteArray::fromHex("00" "07000000"
                                                   "01" "ff000000"
                                                   "00" "00000000"
                                                   "01" "00000040"
                                                   "00" "ffffffffffffffff");
    EXPECT_EQ(write.body.toHex(), (subsystemRequestBody(9, key) + entries).toHex());
}

TEST(SubsystemWrite, EveryFailedCheckIsListedInRowOrderAndNothingIsToBeSent) {
    link::ParameterGrid grid;
    grid.rows = {
        row("N1", "rw", "uint32", "0", "-5"),
        row("ok", "rw", "int32", "0", "1"),
        row("N2", "rw", "int32", "0", "x"),
        row("ro", "r", "int32", "0", "junk"), // read-only rows are not written, so not checked
        row("N3", "rw", "hex32", "0", "100", "0", "FF"),
        row("N4", "rw", "float", "0", "1", "2", "3"),
    };
    const SubsystemWrite write = buildSubsystemWrite(1, QStringLiteral("K\\x.sub"), grid);
    EXPECT_FALSE(write.ok());
    EXPECT_EQ(write.errors, QStringLiteral("N1 - меньше минимума\nN2 - ошибка ввода\nN3 - больше максимума\n"
                                           "N4 - меньше минимума\n"));
}

TEST(SubsystemWrite, NothingEnteredMeansNoNewValues) {
    link::ParameterGrid grid;
    grid.rows = {row("A", "rw", "int32", "1", ""), row("B", "r", "int32", "2", "")};
    EXPECT_FALSE(hasNewValues(grid));
    EXPECT_FALSE(hasNewValues(link::ParameterGrid{}));
}
