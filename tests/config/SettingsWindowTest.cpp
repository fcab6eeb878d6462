#include "config/SettingsAccess.h"
#include "config/SettingsFile.h"
#include "config/Unit_Settings.h"
#include "core/ProgramValues.h"
#include "support/MessageRecorder.h"
#include "support/ScratchFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace kalver;
using namespace kalver::settings;
using test::MessageRecorder;

namespace {

QByteArray utf16le(const QString& s) { return QByteArray(reinterpret_cast<const char*>(s.utf16()), s.size() * 2); }

// A program folder of its own that is also the working folder, so a relative charge folder lands in it.
class SettingsWindow : public ::testing::Test {
protected:
    SettingsWindow() : m_oldCwd(QDir::currentPath()) { QDir::setCurrent(folder.path()); }
    ~SettingsWindow() override {
        TForm_Settings::setFolderChooser({});
        QDir::setCurrent(m_oldCwd);
    }

    // A file that passes every check: distinct ports and MAC texts, folders inside the scratch folder.
    SettingsValues validValues(int clusters) const {
        SettingsValues v = defaults(clusters, folder.path());
        v.chargeFolder = folder.path() + QStringLiteral("Charge/");
        v.grid[1][3] = QStringLiteral("AA-00-00-00-00-00");
        for (int k = 1; k <= clusters; ++k) {
            v.grid[k + 1][2] = QString::number(151500 + k - 1);
            v.grid[k + 1][3] = QStringLiteral("00-00-00-00-00-%1").arg(k, 2, 10, QLatin1Char('0'));
        }
        return v;
    }
    void writeSettings(const SettingsValues& v) const { folder.write(QStringLiteral("settings.ini"), toBytes(v)); }
    QByteArray settingsBytes() const { return folder.read(QStringLiteral("settings.ini")); }
    QByteArray journalBytes() const { return folder.read(QStringLiteral("arch.res")); }

    std::unique_ptr<TForm_Settings> create() {
        auto w = std::make_unique<TForm_Settings>(nullptr, [this] { ++endRequests; });
        return w;
    }
    // Creates the window and shows it, as the log-in window does; nothing is changed yet.
    std::unique_ptr<TForm_Settings> createShown() {
        auto w = create();
        w->show();
        return w;
    }

    test::ScratchFolder folder;
    int endRequests = 0;

private:
    QString m_oldCwd;
};

QString cell(TForm_Settings& w, int row, int column) {
    const QTableWidgetItem* item = w.sg_NetworkSettings->item(row, column);
    return item ? item->text() : QString();
}

void editCell(TForm_Settings& w, int row, int column, const QString& text) {
    QTableWidgetItem* item = w.sg_NetworkSettings->item(row, column);
    ASSERT_NE(item, nullptr);
    item->setText(text);
}

} // namespace

TEST_F(SettingsWindow, MissingFileGivesE009DefaultsAndAFreshJournal) {
    MessageRecorder recorder;
    auto w = create();
    EXPECT_EQ(recorder.codes(), QStringList({"e009"}));
    EXPECT_EQ(w->currentValues(), defaults(1, folder.path()));
    EXPECT_EQ(w->se_ServerTimeOut->value(), 30);
    EXPECT_FALSE(w->se_Servers->isEnabled());
    EXPECT_FALSE(w->se_Stations->isEnabled());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Kalver Client v1.3 DEMO - Настройки"));
    EXPECT_EQ(program().journalFilePath, folder.file(QStringLiteral("arch.res")));
    // The journal starts with e013 and records the start with the command line.
    const QByteArray journal = journalBytes();
    EXPECT_TRUE(journal.contains(utf16le(QStringLiteral("|e013\r\n"))));
    EXPECT_TRUE(journal.endsWith(utf16le(QStringLiteral("|w000|") + program().commandLine + QStringLiteral("\r\n"))));
    // The relative default charge folder is made in the working folder.
    EXPECT_TRUE(QFileInfo(folder.file(QStringLiteral("Charge"))).isDir());
    EXPECT_FALSE(w->startupFailed());
    EXPECT_EQ(endRequests, 0);
}

TEST_F(SettingsWindow, ValidFileIsAppliedAndTheTimeOutIsAlways30) {
    SettingsValues v = validValues(3);
    v.journalFolder = folder.path() + QStringLiteral("journal/");
    QDir().mkdir(v.journalFolder);
    v.queryInterval = 12;
    v.stationsInRackHoriz = 10;
    v.maxStationNum = 5000;
    v.serverTimeOut = 120;
    writeSettings(v);

    MessageRecorder recorder;
    auto w = create();
    EXPECT_TRUE(recorder.shown().isEmpty());
    SettingsValues expected = v;
    expected.serverTimeOut = 30;
    EXPECT_EQ(w->currentValues(), expected);
    EXPECT_EQ(w->sg_NetworkSettings->rowCount(), 5);
    EXPECT_EQ(program().journalFilePath, v.journalFolder + QStringLiteral("arch.res"));
    EXPECT_TRUE(QFileInfo::exists(v.journalFolder + QStringLiteral("arch.res")));

    // Other windows read the same values through the access functions.
    Form_Settings = w.get();
    EXPECT_EQ(clusterCount(), 3);
    EXPECT_EQ(queryIntervalSeconds(), 12);
    EXPECT_EQ(serverTimeOutSeconds(), 30);
    EXPECT_EQ(stationsInRackHoriz(), 10);
    EXPECT_EQ(maxStationNumber(), 5000);
    EXPECT_EQ(chargeFolder(), v.chargeFolder);
    EXPECT_EQ(clusterPortText(2), QStringLiteral("151502"));
    EXPECT_EQ(clusterMacText(0), QStringLiteral("00-00-00-00-00-01"));
    EXPECT_EQ(syncPortText(), QStringLiteral("13001"));
    EXPECT_TRUE(networkCell(9, 9).isEmpty());
    EXPECT_EQ(containerTileSize().width, 66);
    EXPECT_EQ(mnemoTileSize().height, 82);
    Form_Settings = nullptr;
}

TEST_F(SettingsWindow, UnreadableFileGivesE008AndDefaultsNeverHalfApplied) {
    // A file with non-default values in every line before the fault, so that any half-application shows.
    SettingsValues v = validValues(2);
    v.stationsInRackHoriz = 10;
    v.queryInterval = 20;
    const QList<QByteArray> good = toBytes(v).split('\n');
    const std::pair<const char*, std::function<QByteArray()>> cases[] = {
        {"missing time-out line", [&] { return good.mid(0, good.size() - 2).join('\n') + '\n'; }},
        {"non-number", [&] { QList<QByteArray> l = good; l[6] = "шесть\r"; return l.join('\n'); }},
        {"too few cells", [&] { return good.mid(0, 14).join('\n') + '\n'; }},
    };
    for (const auto& [what, bytes] : cases) {
        folder.write(QStringLiteral("settings.ini"), bytes());
        MessageRecorder recorder;
        auto w = create();
        EXPECT_EQ(recorder.codes(), QStringList({"e008"})) << what;
        EXPECT_EQ(w->currentValues(), defaults(1, folder.path())) << what;
    }
}

TEST_F(SettingsWindow, StartupFailuresEndTheProgram) {
    {
        SettingsValues v = validValues(1);
        v.journalFolder = folder.path() + QStringLiteral("no/such/");
        writeSettings(v);
        MessageRecorder recorder;
        auto w = create();
        EXPECT_EQ(recorder.codes(), QStringList({"e000"}));
        EXPECT_TRUE(w->startupFailed());
        EXPECT_EQ(endRequests, 1);
    }
    {
        SettingsValues v = validValues(1);
        v.chargeFolder = folder.path() + QStringLiteral("two/levels/");
        writeSettings(v);
        MessageRecorder recorder;
        auto w = create();
        EXPECT_EQ(recorder.codes(), QStringList({"e039"}));
        EXPECT_TRUE(w->startupFailed());
        EXPECT_EQ(endRequests, 2);
    }
}

TEST_F(SettingsWindow, ClosingSteps) {
    struct Case {
        const char* what;
        int clusters;
        bool defaultGrid; // the file holds the default network rows
        std::function<void(TForm_Settings&)> edit;
        std::initializer_list<MessageAnswer> answers;
        QStringList shown;
        bool closes;
        bool saved;
    };
    const QString save = QStringLiteral("Сохранить изменения?");
    const auto Yes = MessageAnswer::Yes;
    const auto No = MessageAnswer::No;
    const Case cases[] = {
        {"nothing changed", 2, false, [](auto&) {}, {}, {}, true, false},
        {"one cluster with defaults: the last row is not compared", 1, true,
         [](auto& w) { w.se_QueryInterval->setValue(7); }, {Yes}, {save}, true, true},
        {"two clusters with default MAC texts: e011, Yes stays", 2, true,
         [](auto& w) { w.se_QueryInterval->setValue(7); }, {Yes}, {"e011"}, false, false},
        {"two clusters with default MAC texts: e011, No leaves", 2, true,
         [](auto& w) { w.se_QueryInterval->setValue(7); }, {No}, {"e011"}, true, false},
        {"MAC texts made distinct", 2, true, [](auto& w) {
             editCell(w, 1, 3, QStringLiteral("AA-00-00-00-00-00"));
             editCell(w, 2, 3, QStringLiteral("BB-00-00-00-00-00"));
         }, {Yes}, {save}, true, true},
        {"empty cell", 2, false, [](auto& w) { editCell(w, 3, 1, QString()); }, {Yes}, {"e019"}, false, false},
        {"journal folder that cannot hold the journal", 2, false, [](auto& w) {
             w.Le_UserActionsPath->setText(QDir::currentPath() + QStringLiteral("/no/such/"));
         }, {Yes}, {"e012"}, false, false},
        {"charge folder two levels deep", 2, false, [](auto& w) {
             w.Le_ChargePath->setText(QDir::currentPath() + QStringLiteral("/a/b/"));
         }, {Yes}, {"e021"}, false, false},
        {"8 × 5 does not hold 48", 2, false, [](auto& w) { w.se_StationsInRackVert->setValue(5); }, {Yes}, {"e022"},
         false, false},
        {"save question answered No", 2, false, [](auto& w) { w.se_QueryInterval->setValue(7); }, {No}, {save}, true,
         false},
    };
    for (const Case& c : cases) {
        SettingsValues v = c.defaultGrid ? defaults(c.clusters, folder.path()) : validValues(c.clusters);
        v.chargeFolder = folder.path() + QStringLiteral("Charge/");
        writeSettings(v);
        const QByteArray before = settingsBytes();
        auto w = createShown();
        MessageRecorder recorder;
        recorder.script(c.answers);
        c.edit(*w);
        const SettingsValues edited = w->currentValues();
        w->close();
        EXPECT_EQ(recorder.codes(), c.shown) << c.what;
        EXPECT_EQ(w->isVisible(), !c.closes) << c.what;
        if (c.saved) {
            EXPECT_EQ(settingsBytes(), toBytes(edited)) << c.what;
            EXPECT_FALSE(w->changed()) << c.what;
        } else {
            EXPECT_EQ(settingsBytes(), before) << c.what;
            if (c.closes) { // leaving without saving reloads the file
                EXPECT_EQ(w->currentValues(), *parse(before)) << c.what;
            } else {     // staying keeps the edits
                EXPECT_EQ(w->currentValues(), edited) << c.what;
            }
        }
    }
}

TEST_F(SettingsWindow, NoOnACheckDiscardsEditsOnBothPages) {
    writeSettings(validValues(2));
    const SettingsValues fromFile = *parse(settingsBytes());
    auto w = createShown();
    MessageRecorder recorder(MessageAnswer::No);
    w->pc_Settings->setCurrentIndex(1);
    editCell(*w, 2, 1, QStringLiteral("10.1.1.1"));
    w->pc_Settings->setCurrentIndex(0);
    w->se_MaxStationNum->setValue(777);
    w->se_StationsInRackVert->setValue(5); // fails the geometry check
    w->close();
    EXPECT_EQ(recorder.codes(), QStringList({"e022"}));
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(cell(*w, 2, 1), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(w->se_MaxStationNum->value(), 9999);
    EXPECT_EQ(w->currentValues(), fromFile);
}

TEST_F(SettingsWindow, SavingToANewJournalFolderMovesTheJournal) {
    writeSettings(validValues(1));
    auto w = createShown();
    const QString newFolder = folder.path() + QStringLiteral("journal2");
    QDir().mkdir(newFolder);
    MessageRecorder recorder(MessageAnswer::Yes);
    w->Le_UserActionsPath->setText(newFolder); // typed without its closing "/"
    w->close();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(program().journalFilePath, newFolder + QStringLiteral("/arch.res"));
    EXPECT_TRUE(folder.read(QStringLiteral("journal2/arch.res")).endsWith(utf16le(QStringLiteral("|e013\r\n"))));
    EXPECT_EQ(parse(settingsBytes())->journalFolder, newFolder + QStringLiteral("/"));
}

TEST_F(SettingsWindow, SaveFailureShowsE010AndJournalsIt) {
    writeSettings(validValues(1));
    auto w = createShown();
    const QString journalBefore = program().journalFilePath;
    // The settings file's place is taken by a folder: it cannot be replaced.
    QFile::remove(folder.file(QStringLiteral("settings.ini")));
    QDir().mkdir(folder.file(QStringLiteral("settings.ini")));
    MessageRecorder recorder(MessageAnswer::Yes);
    w->se_QueryInterval->setValue(9);
    w->close();
    EXPECT_EQ(recorder.codes(), QStringList({QStringLiteral("Сохранить изменения?"), "e010"}));
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->se_QueryInterval->value(), 9);
    EXPECT_TRUE(w->changed());
    EXPECT_EQ(program().journalFilePath, journalBefore);
    EXPECT_TRUE(journalBytes().endsWith(utf16le(QStringLiteral("|e010\r\n"))));
}

TEST_F(SettingsWindow, FolderButtons) {
    writeSettings(validValues(1));
    auto w = createShown();
    QString answer = QStringLiteral("/srv/charge");
    TForm_Settings::setFolderChooser([&](QWidget*) { return answer; });
    w->sb_ChargePath->click();
    EXPECT_EQ(w->Le_ChargePath->text(), QStringLiteral("/srv/charge/"));
    EXPECT_TRUE(w->changed());
    answer.clear(); // cancelled
    w->sb_UserActionsPath->click();
    EXPECT_EQ(w->Le_UserActionsPath->text(), folder.path());
}
