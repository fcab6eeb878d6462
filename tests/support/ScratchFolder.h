#pragma once
// A temporary program folder for a test: the program-wide folder and journal path point into it while
// it lives, and everything in it is removed afterwards.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace kalver::test {

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();

    // The folder with a trailing "/".
    QString path() const;
    QString file(const QString& name) const { return path() + name; }

    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;

private:
    QTemporaryDir m_dir;
    QString m_oldFolder;
    QString m_oldJournal;
};

} // namespace kalver::test
