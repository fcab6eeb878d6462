#pragma once
// The common table of texts: every numbered message "eNNN" with its title and text, the unnumbered
// messages, the journal codes and the text tables that the station views index. Every window takes its
// fixed texts from here; a text used in several places exists once.

#include "core/MessageSeam.h"

#include <QString>
#include <QStringList>

namespace kalver::catalogue {

// A numbered entry: title, text and code. A text made of several pieces, between which the showing
// window inserts variable text, keeps its pieces apart in `pieces`; `text()` joins them with nothing.
struct Entry {
    QString title;
    QStringList pieces;
    QString code;

    QString text() const { return pieces.join(QString()); }
    // The pieces with `inserts` placed between them: piece 0, insert 0, piece 1, insert 1, ...
    // Inserts beyond the last gap are appended at the end.
    QString textWith(const QStringList& inserts) const;
};

// The entry of `code` ("e000" … "e082"); nullptr for a code the catalogue does not hold.
const Entry* find(QStringView code);
// The entry of `code`; a code that does not exist is a programming error and aborts in debug builds.
const Entry& entry(QStringView code);
// Every numbered entry, in code order.
const QList<Entry>& entries();

// Shows the entry with `icon` and `buttons`, its text completed with `inserts`; returns the answer.
MessageAnswer show(QStringView code, MessageIcon icon, MessageButtons buttons, const QStringList& inserts = {});

} // namespace kalver::catalogue
