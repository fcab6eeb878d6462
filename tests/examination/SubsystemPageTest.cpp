// Page 3: the subsystem list, choosing a subsystem, reading and writing its values through a cluster
// on loopback, editing the new-value column, and the small table opened from a table row.

#include "ExaminationFixture.h"
#include "core/ByteWriter.h"
#include "stationdata/StationTypeKey.h"
#include "stationdata/SubsystemFile.h"
#include "stationdata/SubsystemRequest.h"

#include <QComboBox>
#include <QDir>
#include <QProgressBar>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

using namespace kalver;
using namespace kalver::stationdata;
using kalver::test::waitUntil;

namespace {

const QByteArray kTypeText("qm7  521", 8);
constexpr std::int32_t kStation = 7;

SubsystemParameter parameter(const char* name, const char* access, const char* type, const char* minimum = "",
                             const char* maximum = "") {
    return {QString::fromUtf8(name), QString::fromUtf8(access), QString::fromUtf8(type), QString::fromUtf8(minimum),
            QString::fromUtf8(maximum), QStringLiteral("-")};
}

// Values of the recorder file: uint32 500, hex32 ABCD, float 2, four hex32 table words.
QByteArray recorderValues() {
    ByteWriter w;
    w.putU32(500).putU32(0xABCD).put(2.0f);
    for (std::uint32_t word : {1u, 2u, 3u, 0xFFFFFFFFu})
        w.putU32(word);
    return w.take();
}

class SubsystemPageTest : public test::ExaminationFixture {
protected:
    void SetUp() override {
        ExaminationFixture::SetUp();
        key = stationTypeKey(kTypeText);
        writeFile(QStringLiteral("регистратора.sub"),
                  {parameter("Частота", "rw", "uint32", "1", "4000"), parameter("Серийный номер", "r", "hex32"),
                   parameter("Усиление", "rw", "float", "0.5", "64"), parameter("Коэффициенты", "r", "table4/hex32")});
        writeFile(QStringLiteral("сбоев.sub"), {parameter("Сбойные блоки", "r", "tab2")});
        writeFile(QStringLiteral("неизвестный.sub"), {parameter("Странный", "r", "int16")});
        QByteArray damaged = SubsystemFile(QStringLiteral("h0"), QStringLiteral("h1"), {parameter("A", "rw", "int32")}).toBytes();
        damaged.replace("int32", "int33");
        folder.write(QStringLiteral("Subsystems/") + key + QStringLiteral("/испорченный.sub"), damaged);

        addStation(test::frames::quietStation(kStation).setTypeText(kTypeText));
        page.setProgressBar(&progress);
        page.setSmallTableWindow(&table);
        observer.page = &page;
        observer.table = &table;
        page.resize(900, 400);
        page.show();
        page.loadSubsystemList(list, cluster, kStation);
    }

    void writeFile(const QString& name, const QList<SubsystemParameter>& parameters) {
        SubsystemFile file(QStringLiteral("Подсистема"), QStringLiteral("1"), parameters);
        ASSERT_TRUE(QDir().mkpath(folder.file(QStringLiteral("Subsystems/") + key)));
        ASSERT_TRUE(file.write(folder.file(QStringLiteral("Subsystems/") + key + QLatin1Char('/') + name)));
    }

    QString item(const QString& file) const { return key + QLatin1Char('\\') + file; }

    void choose(const QString& file) {
        page.cb_SubsystemType->setCurrentIndex(page.cb_SubsystemType->findText(item(file)));
    }

    QString cell(int row, int column) const {
        const QTableWidgetItem* i = page.sg_StationParams->item(row, column);
        return i ? i->text() : QString();
    }
    QStringList column(int c) const {
        QStringList out;
        for (int r = 0; r < page.sg_StationParams->rowCount(); ++r)
            out << cell(r, c);
        return out;
    }
    // The operator types `text` into the new-value cell of `row`.
    void enter(int row, const QString& text) {
        QTableWidgetItem* i = page.sg_StationParams->item(row, 6);
        ASSERT_TRUE(i);
        i->setText(text);
    }
    void readRecorder() {
        choose(QStringLiteral("регистратора.sub"));
        fake.answer(kSubsystemReadCode, test::frames::subsystemData(recorderValues()));
        page.readValues();
        ASSERT_TRUE(page.tb_ParamSave->isEnabled());
        fake.stopAnswering(kSubsystemReadCode);
        fake.clearFrames();
        messages.clear();
    }

    QString key;
    QProgressBar progress;
    TForm_SmallTable table;
    SubsystemPage page;
};

} // namespace

TEST_F(SubsystemPageTest, ListsTheTypesFilesAndShowsAChosenFilesRows) {
    EXPECT_TRUE(page.cb_SubsystemType->isEnabled());
    EXPECT_EQ(page.cb_SubsystemType->count(), 4);
    EXPECT_EQ(page.cb_SubsystemType->currentIndex(), -1);
    EXPECT_FALSE(page.tb_ParamReload->isEnabled());
    EXPECT_EQ(page.sg_StationParams->rowCount(), 1);

    choose(QStringLiteral("регистратора.sub"));
    EXPECT_EQ(column(0), (QStringList{"Частота", "Серийный номер", "Усиление", "Коэффициенты"}));
    EXPECT_EQ(column(1), (QStringList{"rw", "r", "rw", "r"}));
    EXPECT_EQ(column(2), (QStringList{"uint32", "hex32", "float", "table4/hex32"}));
    EXPECT_EQ(column(3), (QStringList{"1", "", "0.5", ""}));
    EXPECT_EQ(column(4), (QStringList{"4000", "", "64", ""}));
    EXPECT_TRUE(page.tb_ParamReload->isEnabled());
    EXPECT_FALSE(page.tb_ParamSave->isEnabled());
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(SubsystemPageTest, ADamagedFileShowsE061AndOffersNothing) {
    choose(QStringLiteral("испорченный.sub"));
    EXPECT_EQ(messages.codes(), QStringList{"e061"});
    EXPECT_EQ(messages.shown().at(0).icon, MessageIcon::Error);
    EXPECT_EQ(journalEntries(), QStringList{"e061|" + item(QStringLiteral("испорченный.sub"))});
    EXPECT_EQ(page.sg_StationParams->rowCount(), 1);
    EXPECT_EQ(cell(0, 0), QString());
    EXPECT_FALSE(page.tb_ParamReload->isEnabled());
    EXPECT_FALSE(page.tb_ParamSave->isEnabled());
}

TEST_F(SubsystemPageTest, AStationTypeWithoutFolderGivesAnEmptyList) {
    addStation(test::frames::quietStation(8).setTypeText("other123"));
    page.cb_SubsystemType->setEnabled(false);
    page.loadSubsystemList(list, cluster, 8);
    EXPECT_EQ(page.cb_SubsystemType->count(), 0);
    EXPECT_FALSE(page.cb_SubsystemType->isEnabled());
}

TEST_F(SubsystemPageTest, ReadingSendsTheKeyAndShowsTheValues) {
    choose(QStringLiteral("регистратора.sub"));
    enter(0, QStringLiteral("12"));
    fake.answer(kSubsystemReadCode, test::frames::subsystemData(recorderValues()));
    page.tb_ParamReload->click();

    const QList<test::ClientFrame> sent = fake.framesWithCode(kSubsystemReadCode);
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0].payload, subsystemRequestBody(kStation, item(QStringLiteral("регистратора.sub"))));
    EXPECT_EQ(column(5), (QStringList{"500", "0000ABCD", "2", "Введите символ >"}));
    EXPECT_EQ(column(6), (QStringList{"", "", "", ""}));
    EXPECT_TRUE(page.tb_ParamSave->isEnabled());
    EXPECT_TRUE(page.isEnabled());
    EXPECT_EQ(progress.value(), progress.maximum());
    EXPECT_TRUE(messages.shown().isEmpty());
    // The table row's elements went to the small table.
    EXPECT_EQ(table.windowTitle(), QStringLiteral("Коэффициенты"));
    EXPECT_EQ(table.sg_SmallParams->rowCount(), 4);
}

TEST_F(SubsystemPageTest, ReadFailuresAskAndRepeatAsTheOperatorAnswers) {
    const QString recorder = item(QStringLiteral("регистратора.sub"));
    const struct {
        const char* what;
        QString file;
        QByteArray answer; // empty: the cluster stays silent
        QList<MessageAnswer> answers;
        QStringList codes;
        QStringList journal;
    } cases[] = {
        {"size mismatch, repeated once", QStringLiteral("регистратора.sub"),
         test::frames::subsystemData(recorderValues().left(10)), {MessageAnswer::Yes, MessageAnswer::No},
         {"e052", "e052"}, {"e052|1|7", "e052|1|7"}},
        {"unknown type", QStringLiteral("неизвестный.sub"), test::frames::subsystemData(QByteArray(4, '\0')), {},
         {"e053"}, {"e053|" + item(QStringLiteral("неизвестный.sub"))}},
        {"refusal, repeated once", QStringLiteral("регистратора.sub"), test::frames::refusal(112),
         {MessageAnswer::Yes, MessageAnswer::No}, {"e073", "e073"}, {}},
        {"no answer", QStringLiteral("регистратора.sub"), QByteArray(), {MessageAnswer::No}, {"e054"},
         {"e054|1|" + recorder}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        journal::startNewFile(program().journalFilePath);
        messages.clear();
        fake.clearFrames();
        choose(c.file);
        if (c.answer.isEmpty())
            fake.stopAnswering(kSubsystemReadCode);
        else
            fake.answer(kSubsystemReadCode, c.answer);
        for (MessageAnswer a : c.answers)
            messages.script({a});
        page.readValues();
        EXPECT_EQ(messages.codes(), c.codes);
        for (const MessageRequest& m : messages.shown())
            EXPECT_EQ(m.icon, MessageIcon::Error);
        EXPECT_EQ(journalEntries(), c.journal);
        EXPECT_EQ(fake.framesWithCode(kSubsystemReadCode).size(), c.codes.size() == 2 ? 2 : 1);
        EXPECT_FALSE(page.tb_ParamSave->isEnabled());
        EXPECT_TRUE(page.isEnabled());
        if (c.codes == QStringList{"e053"}) {
            EXPECT_EQ(messages.shown().at(0).text, "В подсистеме " + item(c.file) +
                                                       " обнаружены данные с неизвестным типом.\nВыполнение операции останавливается");
        }
        page.cb_SubsystemType->setCurrentIndex(-1);
    }
}

TEST_F(SubsystemPageTest, AValueBeforeASizeMismatchStaysShown) {
    choose(QStringLiteral("регистратора.sub"));
    fake.answer(kSubsystemReadCode, test::frames::subsystemData(recorderValues().left(6)));
    page.readValues();
    EXPECT_EQ(messages.codes(), QStringList{"e052"});
    EXPECT_EQ(column(5), (QStringList{"500", "", "", ""}));
}

TEST_F(SubsystemPageTest, ClosingTheWindowEndsAWaitAndASecondReadCannotStartInside) {
    choose(QStringLiteral("регистратора.sub"));
    bool secondStarted = true;
    QTimer::singleShot(30, &page, [&] {
        EXPECT_TRUE(page.isWaiting());
        EXPECT_FALSE(page.cb_SubsystemType->isEnabled()); // the window's contents wait with it
        page.readValues(); // re-entry: ignored
        secondStarted = page.isWaiting() && fake.framesWithCode(kSubsystemReadCode).size() > 1;
        page.cancelWait();
    });
    page.readValues();
    EXPECT_FALSE(page.isWaiting());
    EXPECT_FALSE(secondStarted);
    EXPECT_EQ(fake.framesWithCode(kSubsystemReadCode).size(), 1);
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_TRUE(page.cb_SubsystemType->isEnabled());
}

TEST_F(SubsystemPageTest, EditingAReadOnlyRowShowsE050AndClearsTheCell) {
    readRecorder();
    enter(1, QStringLiteral("FF"));
    EXPECT_EQ(messages.codes(), QStringList{"e050"});
    EXPECT_EQ(cell(1, 6), QString());
    EXPECT_EQ(page.parameterGrid()->rows.at(1).newValue, QString());

    messages.clear();
    enter(1, QString()); // an empty entry is accepted silently
    enter(0, QStringLiteral("700"));
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_EQ(page.parameterGrid()->rows.at(0).newValue, QStringLiteral("700"));
}

TEST_F(SubsystemPageTest, GreaterThanOnATableRowOpensTheSmallTableModally) {
    readRecorder();
    bool shownModally = false;
    QTimer::singleShot(0, &table, [&] {
        shownModally = table.isVisible() && table.isModal();
        table.close();
    });
    enter(3, QStringLiteral(">"));
    EXPECT_TRUE(shownModally);
    EXPECT_FALSE(table.isVisible());
    EXPECT_EQ(cell(3, 6), QString());
    EXPECT_TRUE(messages.shown().isEmpty());
    // Closing the small table leaves the page's window open and enabled.
    EXPECT_TRUE(page.isVisible());
    EXPECT_TRUE(page.isEnabled());
}

TEST_F(SubsystemPageTest, WritingWithNothingEnteredShowsE051AndSendsNothing) {
    readRecorder();
    page.tb_ParamSave->click();
    EXPECT_EQ(messages.codes(), QStringList{"e051"});
    EXPECT_TRUE(fake.framesWithCode(kSubsystemWriteCode).isEmpty());
}

TEST_F(SubsystemPageTest, WritingWithInputErrorsListsThemAllInE057AndSendsNothing) {
    readRecorder();
    enter(0, QStringLiteral("-5"));
    enter(2, QStringLiteral("65"));
    page.writeValues();
    ASSERT_EQ(messages.codes(), QStringList{"e057"});
    EXPECT_EQ(messages.shown().at(0).title, QStringLiteral("Ошибки ввода параметров подсистемы"));
    EXPECT_EQ(messages.shown().at(0).text, QStringLiteral("Данные не будут переданы Кластеру - обнаружены ошибки ввода:\n"
                                                          "Частота - меньше минимума\nУсиление - больше максимума\n"));
    EXPECT_TRUE(fake.framesWithCode(kSubsystemWriteCode).isEmpty());
}

TEST_F(SubsystemPageTest, ASuccessfulWriteMovesTheNewValuesToTheValueColumn) {
    readRecorder();
    enter(2, QStringLiteral("3.5"));
    fake.answer(kSubsystemWriteCode, test::frames::saveResult(1));
    page.tb_ParamSave->click();

    const QList<test::ClientFrame> sent = fake.framesWithCode(kSubsystemWriteCode);
    ASSERT_EQ(sent.size(), 1);
    const QByteArray entries = ByteWriter().putU8(0).putU32(500).putU8(1).put(3.5f).take();
    EXPECT_EQ(sent[0].payload.toHex(),
              (subsystemRequestBody(kStation, item(QStringLiteral("регистратора.sub"))) + entries).toHex());
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown().at(0).text, QStringLiteral("Данные подсистемы успешно записаны в Станцию!"));
    EXPECT_EQ(column(5), (QStringList{"500", "0000ABCD", "3.5", "Введите символ >"}));
    EXPECT_EQ(column(6), (QStringList{"", "", "", ""}));
}

TEST_F(SubsystemPageTest, WriteFailuresAreJournaledAndOfferedARepeat) {
    readRecorder();
    const QString recorder = item(QStringLiteral("регистратора.sub"));
    enter(0, QStringLiteral("100"));

    fake.answer(kSubsystemWriteCode, test::frames::saveResult(0));
    messages.script({MessageAnswer::Yes, MessageAnswer::No});
    page.writeValues();
    EXPECT_EQ(messages.codes(), (QStringList{"e058", "e058"}));
    EXPECT_EQ(fake.framesWithCode(kSubsystemWriteCode).size(), 2);

    fake.stopAnswering(kSubsystemWriteCode);
    messages.clear();
    page.writeValues();
    EXPECT_EQ(messages.codes(), QStringList{"e059"});
    EXPECT_EQ(journalEntries(), (QStringList{"e058|1|7|" + recorder, "e058|1|7|" + recorder, "e059|1|" + recorder}));
    // Nothing was stored: the entered value still waits in its column.
    EXPECT_EQ(column(5).at(0), QStringLiteral("500"));
    EXPECT_EQ(column(6).at(0), QStringLiteral("100"));
}

TEST_F(SubsystemPageTest, ResetEmptiesTheGridAndDisablesBothButtons) {
    readRecorder();
    page.resetPage();
    EXPECT_EQ(page.cb_SubsystemType->currentIndex(), -1);
    EXPECT_EQ(page.sg_StationParams->rowCount(), 1);
    EXPECT_EQ(cell(0, 0), QString());
    EXPECT_FALSE(page.tb_ParamReload->isEnabled());
    EXPECT_FALSE(page.tb_ParamSave->isEnabled());
}
