#pragma once
// A subsystem description file "*.sub": what one subsystem of a station type holds, parameter by
// parameter. The files live in "Subsystems/<station type key>/" beside the program.
//
// Layout, one text line each:
//   line 0, 1        header lines (carried, not shown)
//   N groups of 6    name, access, type, minimum, maximum, and a sixth line the client does not use
//   last line        check value: hexadecimal digits without prefix
// N = (number of lines - 3) / 6, rounded toward zero. The check value is the exclusive-or of the low
// 8 bits of every 16-bit character unit of every line except the last, line ends not included.
//
// The text is Windows-1251 unless a byte-order mark says UTF-8 or UTF-16. Lines end with CR LF, LF or
// CR. Reading never fails on content: a damaged file is one whose check does not pass.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace kalver {

// One parameter: the five lines the client shows, and the sixth line of its group.
struct SubsystemParameter {
    QString name;
    QString access;  // contains "w": writable; exactly "w": write-only, no value in the station's reply
    QString type;    // "int32", "uint32", "uint64", "int64", "float", "hex32", "tableN/<type>", "tab2"
    QString minimum; // empty: no limit
    QString maximum; // empty: no limit
    QString extra;   // the sixth line

    bool isWritable() const { return access.contains(QLatin1Char('w')); }
    bool isWriteOnly() const { return access == QLatin1String("w"); }
    bool operator==(const SubsystemParameter&) const = default;
};

class SubsystemFile {
public:
    // Larger files are not subsystem descriptions; reading refuses them before allocating.
    static constexpr qint64 kMaxFileBytes = 1024 * 1024;
    static constexpr int kHeaderLines = 2;
    static constexpr int kLinesPerParameter = 6;

    SubsystemFile() = default;
    SubsystemFile(QString header0, QString header1, QList<SubsystemParameter> parameters);

    // Decodes and splits the bytes of a file into its lines (see the layout above). A line end at the
    // very end of the file does not start another line.
    static QStringList splitLines(QByteArrayView bytes);
    // Exclusive-or of the low 8 bits of every UTF-16 unit of the given lines.
    static quint8 checkValue(const QStringList& lines);

    static SubsystemFile fromLines(const QStringList& lines);
    static SubsystemFile fromBytes(QByteArrayView bytes);
    // The file at `path`; nothing when it cannot be opened or is larger than kMaxFileBytes.
    static std::optional<SubsystemFile> read(const QString& path);

    const QString& headerLine(int index) const { return m_header[index == 0 ? 0 : 1]; }
    const QList<SubsystemParameter>& parameters() const { return m_parameters; }
    int lineCount() const { return m_lineCount; }
    // The last line is a hexadecimal number equal to the check value of the lines before it.
    bool checkPassed() const { return m_checkPassed; }

    // The file's text: Windows-1251, CR LF line ends, the check value as two upper-case hexadecimal
    // digits on the last line. Characters that Windows-1251 cannot hold are written as "?", and the
    // check value is taken over the text as it will read back.
    QByteArray toBytes() const;
    // Writes toBytes() to `path`, replacing the file whole; false when it cannot be written.
    bool write(const QString& path) const;

private:
    QString m_header[2];
    QList<SubsystemParameter> m_parameters;
    int m_lineCount = 0;
    bool m_checkPassed = false;
};

} // namespace kalver
