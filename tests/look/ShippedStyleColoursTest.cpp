// The colours the operator sees under the shipped style "Iceberg Classico", applied to the whole
// application exactly as the program applies it: the work window (message log and its line colours,
// the detail panel's generator-tuning label, the button bar, the tiles), the connection window's grid
// and the operations page's greyed controls, each grabbed and read in pixels. The same table holds
// under Qt's own look, which an unknown style name leaves in place.

#include "SessionTestSupport.h"
#include "WorkFixture.h"

#include "link/StatusBlock.h"
#include "session/Unit_Connection.h"
#include "session/VisualStyle.h"
#include "stationdata/OperationsPage.h"
#include "work/StationTexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>

using namespace kalver;
using kalver::link::StatusBlock;

namespace {

// How a case reads its region: one pixel (`Fill`, the region's centre) or the ink of a text (`Ink`:
// a few pixels near the colour somewhere in the region; the strokes of small text are anti-aliased).
enum class Read { Fill, Ink };

struct Grabbed {
    QWidget* window = nullptr;
    QRect region; // in the window's coordinates
};

int distance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

QRect inWindow(const QWidget* control, const QRect& rect) {
    return QRect(control->mapTo(control->window(), rect.topLeft()), rect.size());
}

QRect wholeOf(const QWidget* control) { return inWindow(control, control->rect()); }

// Each run starts from Qt's own look and then applies the style by name as the program does: the
// shipped one, or a name the program does not have (Qt's own look stays).
class ShippedStyle : public test::WorkFixture, public ::testing::WithParamInterface<QString> {
protected:
    void SetUp() override {
        qApp->setStyleSheet(QString());
        QApplication::setPalette(QApplication::style()->standardPalette());
        const bool shipped = GetParam() == QString::fromUtf16(session::kIcebergClassico);
        ASSERT_EQ(session::applyVisualStyle(*qApp, GetParam()), shipped);
        ASSERT_EQ(qApp->styleSheet().isEmpty(), !shipped);
    }

public:
    // The work window with one rack: station 1 at rest (and selected), stations 2 ... 6 with alarms
    // 8, 9, 2, 7 and 1.
    TForm_Work& workWindow() {
        if (window)
            return *window;
        session(1);
        window->resize(1284, 671);
        window->Timer_StationAnim->stop();
        QList<StatusBlock> blocks;
        for (int n = 1; n <= 6; ++n)
            blocks.append(test::restingStation(n));
        report(0, blocks);
        const int codes[] = {8, 9, 2, 7, 1};
        for (int n = 2; n <= 6; ++n)
            window->alarms->raise(0, positionOf(0, n), static_cast<link::TErrorType>(codes[n - 2]), false);
        window->clickTile(0, positionOf(0, 1));
        settle();
        return *window;
    }

    Grabbed tileBackground(int number) {
        TForm_Work& w = workWindow();
        const QRect tile = tileOf(0, number);
        // The tile's own background shows in its lower part, under the check box, inside the
        // selection frame.
        const QRect edge(tile.left() + 10, tile.top() + 100, 1, 1);
        return {&w, inWindow(&rack(0), edge)};
    }

    Grabbed logLine(const QString& text, bool bold, const QColor& colour) {
        TForm_Work& w = workWindow();
        w.GridPanel2->m_Msgs->clear();
        w.GridPanel2->appendLine(text, bold, colour);
        w.GridPanel2->writeWaitingLines();
        const QWidget* viewport = w.GridPanel2->m_Msgs->viewport();
        return {&w, wholeOf(viewport)};
    }

    Grabbed logBackground() {
        Grabbed g = logLine(QStringLiteral("Станция 7 (Кластер 1) имеет некритические ошибки в работе!"), true,
                            QColor(255, 255, 0));
        // The right end of the log, clear of the line's text.
        g.region = QRect(g.region.right() - 8, g.region.center().y(), 1, 1);
        return g;
    }

    Grabbed generatorLabel(std::uint8_t state) {
        TForm_Work& w = workWindow();
        StatusBlock b = test::restingStation(1);
        b.setGeneratorState(state);
        w.GridPanel1->fill(b, work::kInitialDriftUnknown);
        return {&w, wholeOf(w.GridPanel1->lbl_GenCor)};
    }

    Grabbed categoryStrip(int category) {
        TForm_Work& w = workWindow();
        auto* strip = w.cat_Buttons->findChild<QToolButton*>(QStringLiteral("cat_Caption%1").arg(category));
        if (!strip)
            return {};
        w.cat_Buttons->ensureWidgetVisible(strip);
        return {&w, inWindow(strip, QRect(strip->width() - 6, strip->height() / 2, 1, 1))};
    }

    // The top of a button of category 0, plain or under the mouse (as an entering mouse marks it).
    Grabbed categoryButtonTop(int item, bool hovered) {
        TForm_Work& w = workWindow();
        QToolButton* button = w.cat_Buttons->itemButton(0, item);
        if (!button)
            return {};
        button->setAttribute(Qt::WA_UnderMouse, hovered);
        w.cat_Buttons->ensureWidgetVisible(button);
        return {&w, inWindow(button, QRect(button->width() / 2, 2, 1, 1))};
    }

    // The mark of the tile check box.
    Grabbed tileMark(int number) {
        TForm_Work& w = workWindow();
        const QRect box = rack(0).tileGeometry().checkBoxRect(tileOf(0, number).topLeft());
        return {&w, inWindow(&rack(0), QRect(box.left(), box.top(), 18, box.height()))};
    }

    // The station number's part of the tile check box (right of the mark).
    Grabbed tileNumber(int number) {
        TForm_Work& w = workWindow();
        const QRect box = rack(0).tileGeometry().checkBoxRect(tileOf(0, number).topLeft()).adjusted(18, 0, 0, 0);
        return {&w, inWindow(&rack(0), box)};
    }

    TForm_Connection& connectionWindow() {
        if (!m_connection) {
            m_settings = std::make_unique<test::TestSettings>(
                QList<test::ClusterAddress>{{QStringLiteral("127.0.0.1"), test::portField(test::freePort())}},
                QStringLiteral("13001"));
            m_connection = std::make_unique<TForm_Connection>(m_connectionClusters, nullptr, QStringList());
            m_connection->show();
            settle();
        }
        return *m_connection;
    }

    Grabbed connectionCell(int row, int column) {
        TForm_Connection& c = connectionWindow();
        QTableWidget* grid = c.sg_Connection;
        grid->clearSelection();
        const QRect cell = grid->visualRect(grid->model()->index(row, column));
        // The cell's right end, clear of its text.
        return {&c, inWindow(grid->viewport(), QRect(cell.right() - 6, cell.center().y(), 1, 1))};
    }

    stationdata::OperationsPage& operationsPage() {
        if (!m_operations) {
            m_operations = std::make_unique<stationdata::OperationsPage>();
            m_operations->resize(900, 600);
            m_operations->show();
            m_operations->chooseOperation(0); // "Запуск Станций" shows its start settings
            if (!m_operations->cb_Now->isChecked())
                m_operations->cb_Now->click();
            settle();
        }
        return *m_operations;
    }

    test::RecordingSessionWindows m_sessionWindows;
    link::ClusterList m_connectionClusters;
    std::unique_ptr<test::TestSettings> m_settings;
    std::unique_ptr<TForm_Connection> m_connection;
    std::unique_ptr<stationdata::OperationsPage> m_operations;
};

struct ColourCase {
    const char* window;
    const char* control;
    const char* state;
    QRgb expected;
    Read read;
    std::function<Grabbed(ShippedStyle&)> grab;
};

} // namespace

TEST_P(ShippedStyle, ControlColoursShowOnScreen) {
    const QRgb face = QApplication::palette().color(QPalette::Button).rgb();
    const QRgb ink = QApplication::palette().color(QPalette::Text).rgb();
    const QString alarmLine = QStringLiteral("Станция 7 (Кластер 1)");
    const std::vector<ColourCase> cases = {
        {"work", "m_Msgs", "background", qRgb(128, 176, 240), Read::Fill, [](ShippedStyle& f) { return f.logBackground(); }},
        {"work", "m_Msgs", "line of alarm 0 (white)", qRgb(255, 255, 255), Read::Ink,
         [&](ShippedStyle& f) { return f.logLine(alarmLine + QStringLiteral(") нет ошибок"), true, Qt::white); }},
        {"work", "m_Msgs", "line of alarm 7 (yellow)", qRgb(255, 255, 0), Read::Ink,
         [&](ShippedStyle& f) { return f.logLine(alarmLine + QStringLiteral(") имеет некритические ошибки в работе!"), true, QColor(255, 255, 0)); }},
        {"work", "m_Msgs", "line of alarm 8 (red)", qRgb(255, 0, 0), Read::Ink,
         [&](ShippedStyle& f) { return f.logLine(alarmLine + QStringLiteral(") имеет критические ошибки в работе!"), true, QColor(255, 0, 0)); }},
        {"work", "m_Msgs", "line of alarm 2 (fuchsia)", qRgb(255, 0, 255), Read::Ink,
         [&](ShippedStyle& f) { return f.logLine(alarmLine + QStringLiteral(") не заряжается!"), true, QColor(255, 0, 255)); }},
        {"work", "m_Msgs", "line of alarm 9 (gray)", qRgb(128, 128, 128), Read::Ink,
         [&](ShippedStyle& f) { return f.logLine(alarmLine + QStringLiteral(") потеряла связь с Сервером!"), true, QColor(128, 128, 128)); }},
        {"work", "m_Msgs", "permission line (green)", qRgb(0, 128, 0), Read::Ink,
         [](ShippedStyle& f) { return f.logLine(QStringLiteral("Получено разрешение работы от Кластера 1"), false, QColor(0, 128, 0)); }},
        {"work", "m_Msgs", "connection line (blue)", qRgb(0, 0, 255), Read::Ink,
         [](ShippedStyle& f) { return f.logLine(QStringLiteral("Установлена связь с Кластером 1"), true, QColor(0, 0, 255)); }},
        {"work", "m_Msgs", "poll stopped line (black)", qRgb(0, 0, 0), Read::Ink,
         [](ShippedStyle& f) { return f.logLine(QStringLiteral("Опрос Кластера остановлен - все Кластеры отключились."), false, Qt::black); }},
        {"work", "lbl_GenCor", "2 запущен (black)", qRgb(0, 0, 0), Read::Ink, [](ShippedStyle& f) { return f.generatorLabel(0x02); }},
        {"work", "lbl_GenCor", "1 готов (green)", qRgb(0, 128, 0), Read::Ink, [](ShippedStyle& f) { return f.generatorLabel(0x01); }},
        {"work", "lbl_GenCor", "3 нет PPS (red)", qRgb(255, 0, 0), Read::Ink, [](ShippedStyle& f) { return f.generatorLabel(0x03); }},
        {"work", "lbl_GenCor", "0x35 остановлен (yellow)", qRgb(255, 255, 0), Read::Ink, [](ShippedStyle& f) { return f.generatorLabel(0x35); }},
        {"work", "lbl_GenCor", "0x42 таймаут (green)", qRgb(0, 128, 0), Read::Ink, [](ShippedStyle& f) { return f.generatorLabel(0x42); }},
        {"work", "cat_Buttons", "category 0 \"Выделение\"", qRgb(255, 234, 255), Read::Fill, [](ShippedStyle& f) { return f.categoryStrip(0); }},
        {"work", "cat_Buttons", "category 1 \"Управление\"", qRgb(234, 234, 255), Read::Fill, [](ShippedStyle& f) { return f.categoryStrip(1); }},
        {"work", "cat_Buttons", "category 2 \"Кластеры\"", qRgb(255, 235, 234), Read::Fill, [](ShippedStyle& f) { return f.categoryStrip(2); }},
        {"work", "cat_Buttons", "button (white)", qRgb(255, 255, 255), Read::Fill, [](ShippedStyle& f) { return f.categoryButtonTop(0, false); }},
        {"work", "cat_Buttons", "button under the mouse", qRgb(230, 230, 230), Read::Fill, [](ShippedStyle& f) { return f.categoryButtonTop(1, true); }},
        {"work", "tile", "no alarm (white)", qRgb(255, 255, 255), Read::Fill, [](ShippedStyle& f) { return f.tileBackground(1); }},
        {"work", "tile", "alarm 8 (red)", qRgb(255, 0, 0), Read::Fill, [](ShippedStyle& f) { return f.tileBackground(2); }},
        {"work", "tile", "alarm 9 (gray)", qRgb(128, 128, 128), Read::Fill, [](ShippedStyle& f) { return f.tileBackground(3); }},
        {"work", "tile", "alarm 2 (fuchsia)", qRgb(255, 0, 255), Read::Fill, [](ShippedStyle& f) { return f.tileBackground(4); }},
        {"work", "tile", "alarm 7 (yellow)", qRgb(255, 255, 0), Read::Fill, [](ShippedStyle& f) { return f.tileBackground(5); }},
        {"work", "tile", "alarm 1 (purple)", qRgb(128, 0, 128), Read::Fill, [](ShippedStyle& f) { return f.tileBackground(6); }},
        {"work", "tile check box", "checked: the mark (text colour)", ink, Read::Ink, [](ShippedStyle& f) { return f.tileMark(1); }},
        {"work", "tile check box", "number (black)", qRgb(0, 0, 0), Read::Ink, [](ShippedStyle& f) { return f.tileNumber(2); }},
        {"connection", "sg_Connection", "fixed row 0 (face)", face, Read::Fill, [](ShippedStyle& f) { return f.connectionCell(0, 4); }},
        {"connection", "sg_Connection", "fixed column 0 (face)", face, Read::Fill, [](ShippedStyle& f) { return f.connectionCell(2, 0); }},
        {"connection", "sg_Connection", "data cell (white)", qRgb(255, 255, 255), Read::Fill, [](ShippedStyle& f) { return f.connectionCell(2, 3); }},
        {"station data", "Label8", "greyed by cb_Now", qRgb(128, 128, 128), Read::Ink,
         [](ShippedStyle& f) {
             auto& page = f.operationsPage();
             return Grabbed{&page, wholeOf(page.Label8)};
         }},
        {"station data", "dtp_BeginRegTime", "disabled by cb_Now (grey)", qRgb(128, 128, 128), Read::Ink,
         [](ShippedStyle& f) {
             auto& page = f.operationsPage();
             return Grabbed{&page, wholeOf(page.dtp_BeginRegTime)};
         }},
    };

    for (const ColourCase& c : cases) {
        SCOPED_TRACE(std::string(c.window) + " / " + c.control + " / " + c.state);
        const Grabbed g = c.grab(*this);
        ASSERT_NE(g.window, nullptr);
        ASSERT_FALSE(g.region.isEmpty());
        const QImage image = g.window->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect region = g.region.intersected(image.rect());
        ASSERT_FALSE(region.isEmpty());
        if (c.read == Read::Fill) {
            const QRgb seen = image.pixel(region.center());
            EXPECT_LE(distance(seen, c.expected), 3)
                << "seen " << QColor(seen).name().toStdString() << ", expected " << QColor(c.expected).name().toStdString();
        } else {
            int ink = 0;
            for (int y = region.top(); y <= region.bottom(); ++y)
                for (int x = region.left(); x <= region.right(); ++x)
                    if (distance(image.pixel(x, y), c.expected) <= 48)
                        ++ink;
            EXPECT_GE(ink, 3) << "pixels of " << QColor(c.expected).name().toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Styles, ShippedStyle,
                         ::testing::Values(QString::fromUtf16(session::kIcebergClassico), QStringLiteral("Iceberg Moderno")),
                         [](const ::testing::TestParamInfo<QString>& info) {
                             return info.index == 0 ? std::string("IcebergClassico") : std::string("UnknownName");
                         });

TEST(VisualStyle, UnknownNameLeavesQtsOwnLook) {
    const QString sheet = qApp->styleSheet();
    const QPalette palette = QApplication::palette();
    EXPECT_TRUE(session::styleSheetOf(QStringLiteral("Iceberg Moderno")).isEmpty());
    EXPECT_FALSE(session::applyVisualStyle(*qApp, QStringLiteral("Iceberg Moderno")));
    EXPECT_EQ(qApp->styleSheet(), sheet);
    EXPECT_EQ(QApplication::palette(), palette);
}
