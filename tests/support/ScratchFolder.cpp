#include "support/ScratchFolder.h"

#include "core/ProgramValues.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kalver::test {

ScratchFolder::ScratchFolder()
    : m_oldFolder(program().programFolder), m_oldJournal(program().journalFilePath) {
    setProgramFolder(m_dir.path());
}

ScratchFolder::~ScratchFolder() {
    program().programFolder = m_oldFolder;
    program().journalFilePath = m_oldJournal;
}

QString ScratchFolder::path() const { return m_dir.path() + QLatin1Char('/'); }

void ScratchFolder::write(const QString& name, const QByteArray& bytes) const {
    const QString full = file(name);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile f(full);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QByteArray ScratchFolder::read(const QString& name) const {
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace kalver::test
