#pragma once
// The message log of the work window: the strip under the racks (GridPanel2) with the auto-scroll
// button tb_MemoAutoScroll on the left and the read-only rich-text log m_Msgs beside it; Memo1, a plain
// memo the operator never sees, lies under the log to take the keyboard focus away from it.
//
// TForm_Work puts one MessageLog under its splitter and routes every log line here (appendLine: the
// link observer's logLine, the station alarms, the window's own messages). At access level 0 the window
// hides m_Msgs and Memo1; the log then takes no lines.
//
// Each line is the time of day, " > " and the text, in its colour, bold or not, on a line of its own.
// The log keeps the operator's reading position unless tb_MemoAutoScroll is down, and it never moves
// while a mouse button is held on it: lines arriving then are held back and written, in order, when
// the button is released. The wheel moves the caret and the view by three lines.
//
// The log keeps at most kMaximumLines lines: when a line would pass that, the oldest tenth goes in one
// edit (dropping one line per new line would lay the whole document out again for every line); the
// journal keeps everything. Dropping lines at the top does not move the operator's view or
// selection while scrolling is off, as long as what they look at is still in the log. The lines held
// back while a button is down are bounded the same way.
//
// Lines are written in batches: a line waits for the write tick, at most kWriteIntervalMs, and every
// line that came meanwhile goes in with it in one edit, followed by one scroll and one repaint. A burst
// (ten thousand stations appearing as a session starts, a storm of alarms) is thus laid out and painted
// about 25 times a second, not once a line, which would keep the interface busy for seconds; one line
// appears as soon as the operator can tell. A button going down on the log first writes the lines
// still waiting, so only those that come while it is down are held back.
//
// autoScrollButtonHovered(true/false) tells the window to stop and restart the blink timer while the
// mouse is over tb_MemoAutoScroll.

#include <QColor>
#include <QList>
#include <QString>
#include <QTextCursor>
#include <QWidget>

#include <functional>

class QPlainTextEdit;
class QTextEdit;
class QTime;
class QTimer;
class QToolButton;

namespace kalver::work {

// One line not written yet; the text carries its time prefix.
struct TBufRec {
    QString text;
    bool bold = false;
    QColor colour;
};

class MessageLog : public QWidget {
    Q_OBJECT
public:
    // About a quarter of an hour of alarms of 100 busy racks; the journal has the rest.
    static constexpr int kMaximumLines = 5000;
    // The longest a line waits to be written.
    static constexpr int kWriteIntervalMs = 40;

    explicit MessageLog(QWidget* parent = nullptr);

    // Appends "time > text" in `colour`, bold or not.
    void appendLine(const QString& text, bool bold, const QColor& colour);

    bool autoScroll() const;
    bool buttonHeld() const { return m_buttonHeld; }
    // The lines not written yet: waiting for the write tick, or held back while a button is down.
    const QList<TBufRec>& pendingLines() const { return m_pending; }
    // Writes the lines waiting for the write tick now (a window about to be grabbed); held lines stay.
    void writeWaitingLines();
    // The clock of the time prefix; tests fix it.
    void setClock(std::function<QTime()> clock) { m_clock = std::move(clock); }
    int maximumLines() const { return m_maximumLines; }
    // Tests use a small limit.
    void setMaximumLines(int lines);

    QToolButton* tb_MemoAutoScroll = nullptr;
    QWidget* Panel2 = nullptr;
    QTextEdit* m_Msgs = nullptr;
    QPlainTextEdit* Memo1 = nullptr;

signals:
    void autoScrollButtonHovered(bool inside);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The caret, selection and view of the log, kept while lines are written with scrolling off.
    // The cursor follows the text when lines at the top are dropped.
    struct ReadingPosition {
        QTextCursor selection;
        int scroll = 0;
        bool hadFocus = false;
    };
    ReadingPosition keepReadingPosition();
    void restoreReadingPosition(const ReadingPosition& p);
    // Writes the lines; returns the height of the lines dropped at the top to make room for them.
    int writeLines(const QList<TBufRec>& lines);
    int dropOldestLines(int adding);
    void writeLine(QTextCursor& c, const TBufRec& line);
    // Writes every pending line; with auto-scroll on, the log then goes to its bottom or keeps its view.
    enum class AutoScroll { ToBottom, KeepView };
    void writePendingLines(AutoScroll autoScrolled);
    void buttonPressed();
    void buttonReleased();
    void mouseEntered();
    void mouseLeft();
    void wheelTurned(int lines);
    bool windowShown() const;
    void placeMemo();

    bool m_buttonHeld = false;
    QList<TBufRec> m_pending;
    QTimer* m_writeTimer = nullptr;
    std::function<QTime()> m_clock;
    int m_maximumLines = kMaximumLines;
};

} // namespace kalver::work
