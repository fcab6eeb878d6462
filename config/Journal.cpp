#include "config/Journal.h"

#include "core/ProgramValues.h"

#include <QFile>
#include <QLocale>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace kalver::journal {

namespace {

// An open file descriptor held under an exclusive lock for the duration of one operation.
class ExclusiveFile {
public:
    ExclusiveFile(const QString& path, int flags) {
        const QByteArray native = QFile::encodeName(path);
        // The umask decides who else may write: the shared program folder of an installed program
        // lets every operator of its group go on with the same journal.
        m_fd = ::open(native.constData(), flags | O_CLOEXEC, 0666);
        if (m_fd >= 0 && ::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~ExclusiveFile() {
        if (m_fd >= 0)
            ::close(m_fd); // closing releases the lock
    }
    ExclusiveFile(const ExclusiveFile&) = delete;
    ExclusiveFile& operator=(const ExclusiveFile&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    bool truncate() { return ::ftruncate(m_fd, 0) == 0; }

    // One write call for the whole line; a short write is retried for the rest only.
    bool writeAll(const QByteArray& bytes) {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(m_fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            done += n;
        }
        return true;
    }

private:
    int m_fd = -1;
};

} // namespace

QString timestampText(TDateTime localDays) {
    QString text = QString::number(localDays.days(), 'g', 15);
    const QString point = QLocale::system().decimalPoint();
    if (point != QLatin1String("."))
        text.replace(QLatin1Char('.'), point);
    return text;
}

QByteArray lineBytes(TDateTime localDays, const QString& entry) {
    const QString line = timestampText(localDays) + QLatin1Char('|') + entry + QStringLiteral("\r\n");
    QByteArray bytes;
    bytes.resize(line.size() * 2);
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char16_t unit = line.at(i).unicode();
        bytes[2 * i] = static_cast<char>(unit & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(unit >> 8);
    }
    return bytes;
}

bool startNewFile(const QString& path) { return startNewFile(path, TDateTime::nowLocal()); }

bool startNewFile(const QString& path, TDateTime localNow) {
    ExclusiveFile file(path, O_WRONLY | O_CREAT);
    // An existing file is replaced, but only once this program holds the lock.
    return file.isOpen() && file.truncate() && file.writeAll(lineBytes(localNow, QStringLiteral("e013")));
}

bool checkFile(const QString& path) {
    ExclusiveFile file(path, O_WRONLY);
    return file.isOpen();
}

bool appendEntry(const QString& path, const QString& entry) {
    return appendEntry(path, entry, TDateTime::nowLocal());
}

bool appendEntry(const QString& path, const QString& entry, TDateTime localNow) {
    ExclusiveFile file(path, O_WRONLY | O_APPEND);
    return file.isOpen() && file.writeAll(lineBytes(localNow, entry));
}

bool openOrStart(const QString& path) {
    return QFile::exists(path) ? checkFile(path) : startNewFile(path);
}

bool write(const QString& entry) { return appendEntry(program().journalFilePath, entry); }

} // namespace kalver::journal
