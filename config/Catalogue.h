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
// The showing window decides whether it also records the code in the journal.
MessageAnswer show(QStringView code, MessageIcon icon, MessageButtons buttons, const QStringList& inserts = {});

// The messages without a code; they are never journaled.
struct UnnumberedMessage {
    QString title;
    QString text;
};
// "Сохранить изменения?" / "В настройки были внесены изменения. Сохранить?"
const UnnumberedMessage& saveChangesQuestion();
// "Редактирование записи прошло успешно!"
QString editSucceededText();
// "Для принятия нового имени введите пароль,\nнажимте <Ввод> и подтвердите изменения"
QString newLoginHintText();

// Asks the save question (question icon, Yes/No); true for Yes.
bool askSaveChanges();
// The standard information dialog: OK only, captioned with the application title.
void showInformation(const QString& text);

// The journal codes "w000" … "w009": bare codes that the journal records with their details.
enum class JournalCode {
    ProgramStarted = 0,   // w000 | command line
    LoginMnemo = 1,       // w001 | login
    LoginOperator = 2,    // w002 | login
    LoginAdmin = 3,       // w003 | login
    LoginDeveloper = 4,   // w004 | login
    PasswordChanged = 5,  // w005 | login
    LoginChanged = 6,     // w006 | old login | new login
    LevelChanged = 7,     // w007 | login | old level | new level
    AccountRemoved = 8,   // w008 | login | level
    StationAlarm = 9,     // w009 | cluster number | station number | alarm code
};
QString journalCode(JournalCode code);

} // namespace kalver::catalogue
