#include "stationdata/QuickEntry.h"

namespace kalver::stationdata {

namespace {

// 0-based start and length of each piece.
struct Span {
    int start;
    int length;
};
constexpr Span kSpans[kQuickPieces] = {{2, 8}, {12, 10}, {26, 8}, {36, 10}};

const QString kTimeFormat = QStringLiteral("HH:mm:ss");
const QString kDateFormat = QStringLiteral("dd.MM.yyyy");

QString skeleton() { return QStringLiteral("с __:__:__  __.__.____ по __:__:__  __.__.____"); }

QString padded(const QString& text) {
    if (text.size() == kQuickEntryLength)
        return text;
    QString out = text.left(kQuickEntryLength);
    const QString base = skeleton();
    for (qsizetype i = out.size(); i < kQuickEntryLength; ++i)
        out += base.at(i);
    return out;
}

QString replaced(const QString& text, QuickPiece piece, const QString& value) {
    QString out = padded(text);
    const Span s = kSpans[static_cast<int>(piece)];
    out.replace(s.start, s.length, value.left(s.length).leftJustified(s.length, QLatin1Char('_')));
    return out;
}

QString pieceOf(const QString& text, QuickPiece piece) {
    const Span s = kSpans[static_cast<int>(piece)];
    return text.mid(s.start, s.length);
}

} // namespace

QString quickEntryMask() { return QStringLiteral("с 99:99:99  99.99.9999 по 99:99:99  99.99.9999;_"); }

QString quickEntryText(const QTime& beginTime, const QDate& beginDate, const QTime& endTime, const QDate& endDate) {
    QString text = skeleton();
    text = withQuickTime(text, QuickPiece::BeginTime, beginTime);
    text = withQuickDate(text, QuickPiece::BeginDate, beginDate);
    text = withQuickTime(text, QuickPiece::EndTime, endTime);
    return withQuickDate(text, QuickPiece::EndDate, endDate);
}

QString withQuickTime(const QString& text, QuickPiece piece, const QTime& time) {
    return replaced(text, piece, time.toString(kTimeFormat));
}

QString withQuickDate(const QString& text, QuickPiece piece, const QDate& date) {
    return replaced(text, piece, date.toString(kDateFormat));
}

QuickValues readQuickEntry(const QString& text) {
    const QString full = padded(text);
    QuickValues v;
    const QTime beginTime = QTime::fromString(pieceOf(full, QuickPiece::BeginTime), kTimeFormat);
    if (!beginTime.isValid())
        return v;
    v.beginTime = beginTime;
    const QDate beginDate = QDate::fromString(pieceOf(full, QuickPiece::BeginDate), kDateFormat);
    if (!beginDate.isValid())
        return v;
    v.beginDate = beginDate;
    const QTime endTime = QTime::fromString(pieceOf(full, QuickPiece::EndTime), kTimeFormat);
    if (!endTime.isValid())
        return v;
    v.endTime = endTime;
    const QDate endDate = QDate::fromString(pieceOf(full, QuickPiece::EndDate), kDateFormat);
    if (endDate.isValid())
        v.endDate = endDate;
    return v;
}

} // namespace kalver::stationdata
