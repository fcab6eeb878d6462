#include "work/MessageLog.h"
#include "work/StationTexts.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextEdit>
#include <QTime>
#include <QToolButton>
#include <QWheelEvent>

#include "StationFixture.h"

#include <gtest/gtest.h>

using namespace kalver;
using namespace kalver::work;

namespace {

class MessageLogTest : public ::testing::Test {
protected:
    MessageLogTest() {
        log.resize(600, 120);
        log.setClock([] { return QTime(9, 5, 7); });
    }

    QStringList lines() const {
        const QString text = log.m_Msgs->toPlainText();
        return text.isEmpty() ? QStringList() : text.split(QChar('\n'));
    }

    void mouse(QEvent::Type type, Qt::MouseButtons held) {
        QWidget* viewport = log.m_Msgs->viewport();
        const QPointF at(5, 5);
        QMouseEvent e(type, at, viewport->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(viewport, &e);
    }

    // Waits for the write tick to write every waiting line.
    [[nodiscard]] bool written() {
        return test::waitFor([&] { return log.pendingLines().isEmpty(); });
    }

    void fill(int count) {
        for (int i = 0; i < count; ++i)
            log.appendLine(QStringLiteral("строка %1").arg(i), false, Qt::black);
    }

    MessageLog log;
};

} // namespace

TEST_F(MessageLogTest, LineHasTheTimePrefixColourAndWeight) {
    QSignalSpy edits(log.m_Msgs->document(), &QTextDocument::contentsChange);
    log.appendLine("Подключение", false, QColor(0, 0, 255));
    log.appendLine("Ошибка", true, QColor(255, 0, 0));
    EXPECT_TRUE(lines().isEmpty()) << "lines wait for the write tick";
    ASSERT_TRUE(written());
    EXPECT_EQ(edits.count(), 1) << "both lines in one edit";
    const QString prefix = timeOfDayText(QTime(9, 5, 7)) + " > ";
    EXPECT_EQ(lines(), QStringList({prefix + "Подключение", prefix + "Ошибка"}));

    QTextCursor first(log.m_Msgs->document()->firstBlock());
    first.movePosition(QTextCursor::EndOfBlock);
    EXPECT_EQ(first.charFormat().foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(first.charFormat().fontWeight(), QFont::Normal);
    QTextCursor last(log.m_Msgs->document()->lastBlock());
    last.movePosition(QTextCursor::EndOfBlock);
    EXPECT_EQ(last.charFormat().fontWeight(), QFont::Bold);
}

TEST_F(MessageLogTest, LinesHeldWhileTheButtonIsDownAppearInOrderOnRelease) {
    log.appendLine("до", false, Qt::black); // still waiting for the write tick: the press writes it
    mouse(QEvent::MouseButtonPress, Qt::LeftButton);
    EXPECT_TRUE(log.buttonHeld());
    log.appendLine("первая", false, Qt::black);
    log.appendLine("вторая", true, Qt::red);
    log.appendLine("третья", false, Qt::blue);
    EXPECT_EQ(lines().size(), 1);
    EXPECT_EQ(log.pendingLines().size(), 3);

    mouse(QEvent::MouseButtonRelease, Qt::NoButton);
    EXPECT_FALSE(log.buttonHeld());
    EXPECT_TRUE(log.pendingLines().isEmpty());
    const QStringList all = lines();
    ASSERT_EQ(all.size(), 4);
    EXPECT_TRUE(all[1].endsWith("> первая"));
    EXPECT_TRUE(all[2].endsWith("> вторая"));
    EXPECT_TRUE(all[3].endsWith("> третья"));
    QTextCursor second(log.m_Msgs->document()->findBlockByNumber(2));
    second.movePosition(QTextCursor::EndOfBlock);
    EXPECT_EQ(second.charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(second.charFormat().foreground().color(), QColor(Qt::red));
}

TEST_F(MessageLogTest, ReleasingOneOfTwoButtonsKeepsTheLinesHeld) {
    mouse(QEvent::MouseButtonPress, Qt::LeftButton);
    log.appendLine("ждет", false, Qt::black);
    mouse(QEvent::MouseButtonRelease, Qt::LeftButton); // another button is still down
    EXPECT_TRUE(log.buttonHeld());
    EXPECT_TRUE(lines().isEmpty());
    mouse(QEvent::MouseButtonRelease, Qt::NoButton);
    EXPECT_EQ(lines().size(), 1);
}

TEST_F(MessageLogTest, AutoScrollFollowsNewLinesOnlyWhenOn) {
    log.show();
    QScrollBar* bar = log.m_Msgs->verticalScrollBar();
    fill(60);
    ASSERT_TRUE(test::waitFor([&] { return bar->maximum() > 0; }));
    EXPECT_EQ(bar->value(), bar->maximum());

    // Off: the operator's view and selection stay where they are.
    log.tb_MemoAutoScroll->click();
    EXPECT_FALSE(log.autoScroll());
    bar->setValue(0);
    QTextCursor selection(log.m_Msgs->document());
    selection.setPosition(3);
    selection.setPosition(8, QTextCursor::KeepAnchor);
    log.m_Msgs->setTextCursor(selection);
    fill(20);
    ASSERT_TRUE(written());
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(log.m_Msgs->textCursor().anchor(), 3);
    EXPECT_EQ(log.m_Msgs->textCursor().position(), 8);

    // On again: the next line scrolls to the bottom.
    log.tb_MemoAutoScroll->click();
    fill(1);
    ASSERT_TRUE(written());
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(MessageLogTest, WheelMovesThreeLinesAndIsHandled) {
    log.show();
    log.tb_MemoAutoScroll->click();
    fill(80);
    QScrollBar* bar = log.m_Msgs->verticalScrollBar();
    ASSERT_TRUE(test::waitFor([&] { return bar->maximum() > 0; }));
    bar->setValue(0);
    QWidget* viewport = log.m_Msgs->viewport();
    QWheelEvent down(QPointF(5, 5), viewport->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &down);
    EXPECT_EQ(bar->value(), 3 * QFontMetrics(log.m_Msgs->font()).lineSpacing());
    EXPECT_EQ(log.m_Msgs->textCursor().block().blockNumber(), 3);
}

TEST_F(MessageLogTest, HiddenLogTakesNoLines) {
    log.m_Msgs->hide();
    log.appendLine("скрыто", false, Qt::black);
    EXPECT_TRUE(log.pendingLines().isEmpty());
    EXPECT_TRUE(log.m_Msgs->document()->isEmpty());
}

TEST_F(MessageLogTest, NamedControlsAndTheHoverSignal) {
    EXPECT_EQ(log.findChild<QToolButton*>("tb_MemoAutoScroll")->toolTip(), "Автопрокрутка лога при новых сообщениях");
    EXPECT_TRUE(log.tb_MemoAutoScroll->isChecked());
    EXPECT_NE(log.findChild<QTextEdit*>("m_Msgs"), nullptr);
    EXPECT_NE(log.findChild<QWidget*>("Memo1"), nullptr);
    QSignalSpy hover(&log, &MessageLog::autoScrollButtonHovered);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(log.tb_MemoAutoScroll, &enter);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(log.tb_MemoAutoScroll, &leave);
    ASSERT_EQ(hover.count(), 2);
    EXPECT_TRUE(hover[0][0].toBool());
    EXPECT_FALSE(hover[1][0].toBool());
}

// The log keeps only its newest lines; with scrolling off the operator keeps looking at the same lines
// and the same selection while older ones leave at the top.
TEST_F(MessageLogTest, KeepsTheNewestLinesWithoutMovingTheOperatorsView) {
    EXPECT_EQ(log.maximumLines(), MessageLog::kMaximumLines);
    log.setMaximumLines(40);
    log.show();
    QScrollBar* bar = log.m_Msgs->verticalScrollBar();
    int next = 0;
    auto write = [&](int count) {
        for (int i = 0; i < count; ++i, ++next)
            log.appendLine(QStringLiteral("строка %1").arg(next), false, Qt::black);
    };
    // The newest lines, in order: at most 40, at least 36 (the oldest tenth goes at once).
    auto expectNewest = [&] {
        const QStringList all = lines();
        EXPECT_LE(all.size(), 40);
        EXPECT_GE(all.size(), 36);
        for (int i = 0; i < all.size(); ++i)
            EXPECT_TRUE(all[i].endsWith(QStringLiteral("> строка %1").arg(next - all.size() + i))) << qPrintable(all[i]);
    };
    write(40);
    ASSERT_TRUE(test::waitFor([&] { return bar->maximum() > 0; }));

    // Scrolling on: the log follows the newest line.
    write(30);
    ASSERT_TRUE(written());
    expectNewest();
    EXPECT_EQ(bar->value(), bar->maximum());

    // Scrolling off: the operator reads and selects in the middle of the log (line 50).
    log.tb_MemoAutoScroll->click();
    QTextBlock read = log.m_Msgs->document()->firstBlock();
    while (read.isValid() && !read.text().endsWith("> строка 50"))
        read = read.next();
    ASSERT_TRUE(read.isValid());
    bar->setValue(qRound(log.m_Msgs->document()->documentLayout()->blockBoundingRect(read).top()));
    const QString topLine = log.m_Msgs->cursorForPosition(QPoint(0, 0)).block().text();
    QTextCursor selection(read);
    selection.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    log.m_Msgs->setTextCursor(selection);
    const QString selected = selection.selectedText();
    const int scrollBefore = bar->value();
    const QString oldest = lines().first();

    write(10); // older lines leave; line 50 stays
    ASSERT_TRUE(written());
    expectNewest();
    ASSERT_NE(lines().first(), oldest) << "lines left at the top";
    EXPECT_EQ(log.m_Msgs->cursorForPosition(QPoint(0, 0)).block().text(), topLine) << "the view stayed on its lines";
    EXPECT_LT(bar->value(), scrollBefore) << "by scrolling up as much as left at the top";
    EXPECT_EQ(log.m_Msgs->textCursor().selectedText(), selected);
    EXPECT_TRUE(selected.endsWith("> строка 50")) << qPrintable(selected);
}

// Lines held back during a long press are bounded like the log; on release the newest appear in order
// and, scrolling on or off, the view is not sent to the bottom.
TEST_F(MessageLogTest, LinesHeldDuringALongPressAreBoundedAndTheViewStays) {
    log.setMaximumLines(40);
    log.show();
    QScrollBar* bar = log.m_Msgs->verticalScrollBar();
    fill(40);
    ASSERT_TRUE(test::waitFor([&] { return bar->maximum() > 0; }));
    const QTextBlock read = log.m_Msgs->document()->findBlockByNumber(5);
    bar->setValue(qRound(log.m_Msgs->document()->documentLayout()->blockBoundingRect(read).top()));
    ASSERT_LT(bar->value(), bar->maximum());

    mouse(QEvent::MouseButtonPress, Qt::LeftButton);
    for (int i = 0; i < 100; ++i)
        log.appendLine(QStringLiteral("держим %1").arg(i), false, Qt::black);
    EXPECT_EQ(log.pendingLines().size(), 40) << "only as many as the log keeps";
    EXPECT_TRUE(log.pendingLines().first().text.endsWith("> держим 60"));
    EXPECT_EQ(lines().size(), 40);
    EXPECT_TRUE(lines().last().endsWith("> строка 39")) << "nothing written while held";

    mouse(QEvent::MouseButtonRelease, Qt::NoButton);
    const QStringList all = lines();
    ASSERT_EQ(all.size(), 40);
    for (int i = 0; i < 40; ++i)
        EXPECT_TRUE(all[i].endsWith(QStringLiteral("> держим %1").arg(60 + i))) << qPrintable(all[i]);
    EXPECT_LT(bar->value(), bar->maximum()) << "no scrolling to the bottom on release";
}
