#include "work/MessageLog.h"

#include "work/StationTexts.h"
#include "work/ToolImages.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QAbstractTextDocumentLayout>
#include <QTextEdit>
#include <QTime>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

#include <algorithm>

namespace kalver::work {

namespace {
const int kWheelLines = 3;
}

MessageLog::MessageLog(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("GridPanel2"));

    tb_MemoAutoScroll = new QToolButton(this);
    tb_MemoAutoScroll->setObjectName(QStringLiteral("tb_MemoAutoScroll"));
    tb_MemoAutoScroll->setCheckable(true);
    tb_MemoAutoScroll->setChecked(true);
    tb_MemoAutoScroll->setToolTip(QStringLiteral("Автопрокрутка лога при новых сообщениях"));
    tb_MemoAutoScroll->setIcon(QIcon(autoScrollImage()));
    tb_MemoAutoScroll->setIconSize(QSize(24, 24));
    tb_MemoAutoScroll->setFixedWidth(32);
    tb_MemoAutoScroll->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    tb_MemoAutoScroll->installEventFilter(this);

    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));

    // Memo1 first, so the log lies over it.
    Memo1 = new QPlainTextEdit(Panel2);
    Memo1->setObjectName(QStringLiteral("Memo1"));

    m_Msgs = new QTextEdit(Panel2);
    m_Msgs->setObjectName(QStringLiteral("m_Msgs"));
    m_Msgs->setReadOnly(true);
    m_Msgs->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_Msgs->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_Msgs->setMinimumHeight(10);
    m_Msgs->setUndoRedoEnabled(false);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    m_Msgs->setFont(font);
    QPalette palette = m_Msgs->palette();
    palette.setColor(QPalette::Base, QColor(128, 176, 240));
    m_Msgs->setPalette(palette);
    m_Msgs->installEventFilter(this);
    m_Msgs->viewport()->installEventFilter(this);
    Panel2->installEventFilter(this);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tb_MemoAutoScroll);
    layout->addWidget(Panel2, 1);
    setMinimumHeight(41);

    m_writeTimer = new QTimer(this);
    m_writeTimer->setSingleShot(true);
    m_writeTimer->setInterval(kWriteIntervalMs);
    connect(m_writeTimer, &QTimer::timeout, this, &MessageLog::writeWaitingLines);
}

void MessageLog::setMaximumLines(int lines) {
    m_maximumLines = std::max(1, lines);
    while (m_pending.size() > m_maximumLines)
        m_pending.removeFirst();
}

bool MessageLog::autoScroll() const { return tb_MemoAutoScroll->isChecked(); }

bool MessageLog::windowShown() const { return window()->isVisible(); }

void MessageLog::placeMemo() {
    const QRect area = Panel2->rect();
    Memo1->setGeometry(area);
    m_Msgs->setGeometry(area);
    Memo1->lower();
}

void MessageLog::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeMemo();
}

void MessageLog::appendLine(const QString& text, bool bold, const QColor& colour) {
    // 1. The log is hidden at access level 0.
    if (m_Msgs->isHidden())
        return;
    // 2. Time prefix, taken as the line comes.
    const QTime now = m_clock ? m_clock() : QTime::currentTime();
    // 3. Held back while a mouse button is down on the log, else waiting for the write tick. Only the
    // newest lines would stay in the log anyway.
    if (m_pending.size() >= m_maximumLines)
        m_pending.removeFirst();
    m_pending.append(TBufRec{timeOfDayText(now) + QStringLiteral(" > ") + text, bold, colour});
    if (!m_buttonHeld && !m_writeTimer->isActive())
        m_writeTimer->start();
}

void MessageLog::writeWaitingLines() {
    m_writeTimer->stop();
    if (!m_buttonHeld)
        writePendingLines(AutoScroll::ToBottom);
}

void MessageLog::writePendingLines(AutoScroll autoScrolled) {
    if (m_pending.isEmpty())
        return;
    // 4 ... 8, for every line not written yet.
    m_Msgs->setUpdatesEnabled(false);
    const bool scrolling = autoScroll();
    ReadingPosition kept;
    if (!scrolling)
        kept = keepReadingPosition();
    QScrollBar* bar = m_Msgs->verticalScrollBar();
    const int scroll = bar->value();
    // Taken out first: nothing written here can add to the list, but a fresh list is what stays.
    const QList<TBufRec> lines = std::exchange(m_pending, {});
    const int dropped = writeLines(lines);
    if (!scrolling) {
        kept.scroll -= dropped;
        restoreReadingPosition(kept);
    } else if (autoScrolled == AutoScroll::ToBottom) {
        bar->setValue(bar->maximum());
    } else {
        bar->setValue(std::max(0, scroll - dropped));
    }
    m_Msgs->setUpdatesEnabled(true);
}

MessageLog::ReadingPosition MessageLog::keepReadingPosition() {
    ReadingPosition p;
    p.selection = m_Msgs->textCursor();
    // Lines are written at the end: a caret there stays where it is, as the operator left it.
    p.selection.setKeepPositionOnInsert(true);
    p.scroll = m_Msgs->verticalScrollBar()->value();
    p.hadFocus = m_Msgs->hasFocus();
    if (windowShown())
        Memo1->setFocus();
    return p;
}

void MessageLog::restoreReadingPosition(const ReadingPosition& p) {
    QTextCursor c = p.selection;
    c.setKeepPositionOnInsert(false);
    m_Msgs->setTextCursor(c);
    m_Msgs->verticalScrollBar()->setValue(std::max(0, p.scroll));
    if (p.hadFocus && windowShown())
        m_Msgs->setFocus();
}

int MessageLog::writeLines(const QList<TBufRec>& lines) {
    const int dropped = dropOldestLines(static_cast<int>(lines.size()));
    // One edit: the document is laid out once for all of them.
    QTextCursor c(m_Msgs->document());
    c.beginEditBlock();
    for (const TBufRec& line : lines)
        writeLine(c, line);
    c.endEditBlock();
    return dropped;
}

int MessageLog::dropOldestLines(int adding) {
    QTextDocument* document = m_Msgs->document();
    const int held = document->isEmpty() ? 0 : document->blockCount();
    if (held + adding <= m_maximumLines)
        return 0;
    const int keep = m_maximumLines - std::max(1, m_maximumLines / 10);
    const int drop = std::min(held, held + adding - keep);
    qreal height = 0;
    QTextBlock block = document->firstBlock();
    for (int i = 0; i < drop && block.isValid(); ++i, block = block.next())
        height += document->documentLayout()->blockBoundingRect(block).height();
    QTextCursor c(document);
    if (drop >= held)
        c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    else
        c.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, drop);
    c.removeSelectedText();
    return qRound(height);
}

void MessageLog::writeLine(QTextCursor& c, const TBufRec& line) {
    c.movePosition(QTextCursor::End);
    if (!m_Msgs->document()->isEmpty())
        c.insertBlock();
    QTextCharFormat format;
    format.setForeground(line.colour);
    format.setFontWeight(line.bold ? QFont::Bold : QFont::Normal);
    c.insertText(line.text, format);
}

void MessageLog::buttonPressed() {
    // What came before the button went down is written first; from now on lines are held back.
    writeWaitingLines();
    m_buttonHeld = true;
}

void MessageLog::buttonReleased() {
    m_buttonHeld = false;
    m_writeTimer->stop();
    // No scrolling to the bottom here, whatever the button says: the view stays where the operator left it.
    writePendingLines(AutoScroll::KeepView);
}

void MessageLog::mouseEntered() {
    if (autoScroll())
        return;
    QScrollBar* bar = m_Msgs->verticalScrollBar();
    const int scroll = bar->value();
    QTextCursor c = m_Msgs->cursorForPosition(QPoint(0, 0));
    c.movePosition(QTextCursor::StartOfLine);
    m_Msgs->setTextCursor(c);
    bar->setValue(scroll);
    m_Msgs->setFocus();
}

void MessageLog::mouseLeft() {
    if (m_Msgs->hasFocus())
        Memo1->setFocus();
}

void MessageLog::wheelTurned(int lines) {
    QScrollBar* bar = m_Msgs->verticalScrollBar();
    const int scroll = bar->value();
    Memo1->setFocus();
    QTextCursor c = m_Msgs->textCursor();
    c.clearSelection();
    c.movePosition(lines > 0 ? QTextCursor::Down : QTextCursor::Up, QTextCursor::MoveAnchor, std::abs(lines));
    c.movePosition(QTextCursor::StartOfLine);
    m_Msgs->setTextCursor(c);
    bar->setValue(scroll);
    m_Msgs->setFocus();
    bar->setValue(scroll + lines * QFontMetrics(m_Msgs->font()).lineSpacing());
}

bool MessageLog::eventFilter(QObject* watched, QEvent* event) {
    if (m_Msgs == nullptr)
        return QWidget::eventFilter(watched, event);
    if (watched == Panel2 && event->type() == QEvent::Resize) {
        placeMemo();
    } else if (watched == tb_MemoAutoScroll) {
        if (event->type() == QEvent::Enter)
            emit autoScrollButtonHovered(true);
        else if (event->type() == QEvent::Leave)
            emit autoScrollButtonHovered(false);
    } else if (watched == m_Msgs) {
        if (event->type() == QEvent::Enter)
            mouseEntered();
        else if (event->type() == QEvent::Leave)
            mouseLeft();
    } else if (watched == m_Msgs->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (!m_buttonHeld)
                buttonPressed();
            break;
        case QEvent::MouseButtonRelease:
            // Held until the last button comes up.
            if (static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton)
                buttonReleased();
            break;
        case QEvent::Wheel: {
            const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
            if (delta != 0)
                wheelTurned(delta < 0 ? kWheelLines : -kWheelLines);
            return true;
        }
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kalver::work
