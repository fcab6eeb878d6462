// The subsystem description files the program ships with: one folder per station type key, every file
// with a correct check value and types the data reply understands.

#include "demo/ParameterType.h"
#include "demo/StationType.h"
#include "demo/SubsystemData.h"
#include "stationdata/SubsystemFile.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace kalver;
using namespace kalver::demo;

TEST(SubsystemResources, BothStationTypesFindTheirFolder) {
    const QString key521 = stationTypeKey(stationType(StationKind::Qm7_521).text);
    EXPECT_EQ(key521, "0032352020376D71");
    EXPECT_EQ(stationTypeKey(stationType(StationKind::Qm7_52).text), key521) << "the first seven bytes are the same";
    EXPECT_EQ(stationTypeKey(QByteArray("ABCDEFGH")), "0047464544434241");
    EXPECT_TRUE(QDir(QStringLiteral(KALVER_SUBSYSTEMS_SOURCE) + key521).exists());
}

TEST(SubsystemResources, EveryFilePassesItsCheckAndHasOnlyKnownTypes) {
    const QDir folder(QStringLiteral(KALVER_SUBSYSTEMS_SOURCE) + stationTypeKey(stationType(StationKind::Qm7_521).text));
    const QStringList names = folder.entryList({"*.sub"}, QDir::Files);
    EXPECT_GE(names.size(), 7);
    bool table = false;
    bool tab2 = false;
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        const std::optional<SubsystemFile> file = SubsystemFile::read(folder.filePath(name));
        ASSERT_TRUE(file);
        EXPECT_TRUE(file->checkPassed());
        EXPECT_EQ(file->lineCount(), 2 + 6 * file->parameters().size() + 1);
        EXPECT_TRUE(SubsystemData::create(*file).has_value());
        for (const SubsystemParameter& p : file->parameters()) {
            const ParameterType type = parseParameterType(p.type);
            EXPECT_NE(type.form, ParameterType::Form::Unknown) << p.type.toStdString();
            table = table || type.form == ParameterType::Form::Table;
            tab2 = tab2 || type.form == ParameterType::Form::Tab2;
            if (p.extra.startsWith(u'=')) {
                EXPECT_TRUE(SubsystemData::liveValueNames().contains(p.extra.mid(1))) << p.extra.toStdString();
            }
        }
    }
    EXPECT_TRUE(table);
    EXPECT_TRUE(tab2);
}

TEST(SubsystemResources, SystemConfigurationRowSixIsAReadableReal) {
    const std::optional<SubsystemFile> file = SubsystemFile::read(
        QStringLiteral(KALVER_SUBSYSTEMS_SOURCE) + "0032352020376D71/" + QStringLiteral("системной конфигурации.sub"));
    ASSERT_TRUE(file);
    ASSERT_GE(file->parameters().size(), 6);
    const SubsystemParameter& row6 = file->parameters().at(5);
    EXPECT_EQ(row6.name, "ADCdigitValue");
    EXPECT_FALSE(row6.isWriteOnly()) << "it must carry a value in the data reply";
    EXPECT_EQ(row6.type, "float");
}

TEST(ParameterType, TypeTextsGiveTheirSizes) {
    struct Case { const char* text; ParameterType::Form form; int bytes; };
    const Case cases[] = {
        {"int32", ParameterType::Form::Scalar, 4},   {"uint32", ParameterType::Form::Scalar, 4},
        {"uint64", ParameterType::Form::Scalar, 8},  {"int64", ParameterType::Form::Scalar, 8},
        {"float", ParameterType::Form::Scalar, 4},   {"hex32", ParameterType::Form::Scalar, 4},
        {"table16/int32", ParameterType::Form::Table, 64}, {"table4/hex32", ParameterType::Form::Table, 16},
        {"table3/uint64", ParameterType::Form::Table, 24}, {"tab2", ParameterType::Form::Tab2, 4096},
        {"table16/double", ParameterType::Form::Unknown, 0}, {"table/int32", ParameterType::Form::Unknown, 0},
        {"table99999999/int32", ParameterType::Form::Unknown, 0}, {"Int32", ParameterType::Form::Unknown, 0},
        {"", ParameterType::Form::Unknown, 0},
    };
    for (const Case& c : cases) {
        const ParameterType t = parseParameterType(c.text);
        EXPECT_EQ(t.form, c.form) << c.text;
        EXPECT_EQ(t.byteSize(), c.bytes) << c.text;
    }
    EXPECT_FALSE(parseParameterType("int64").travelsInWrite());
    EXPECT_TRUE(parseParameterType("uint64").travelsInWrite());
    EXPECT_FALSE(parseParameterType("table4/int32").travelsInWrite());
}
