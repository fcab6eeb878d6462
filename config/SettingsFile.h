#pragma once
// The settings file "settings.ini": plain text in Windows-1251, one value per line, every line ended by
// CR LF, in this order:
//    1  number of clusters            6  stations per rack row
//    2  stations per cluster          7  stations per rack column
//    3  journal folder                8  maximum station number
//    4  charge-curve folder           9  number of grid columns (4)
//    5  poll interval, s              10 … the network grid's cells row by row (rows 0 … clusters + 1,
//                                          each from column 0 to the last column)
//                                     last  server time-out, s
// The number of grid rows is not stored: it is always clusters + 2.
//
// Widget-free, so that the demonstration cluster reads the same file the client writes.
//
// A file that "cannot be read" (parse() gives nullopt) is one with
//  - a line missing before the server time-out (too few grid cells included),
//  - a line that is not a decimal integer where a number belongs (blanks around it are allowed),
//  - a number of clusters outside 1..100 (the grid's cell count depends on it),
//  - a number of grid columns other than 4 (the network table has exactly four columns),
//  - more than kMaxFileBytes bytes.
// Other numbers outside their range are brought into it, as the spin edit holding them would.
// Lines after the server time-out are ignored. Folders are kept with "/" (a "\" read from the file is
// taken as "/") and end in "/" unless empty.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace kalver::settings {

// Ranges of the numeric settings, as the settings window's spin edits allow them.
struct Range {
    int min;
    int max;
    int clamp(int v) const { return v < min ? min : (v > max ? max : v); }
    bool contains(int v) const { return v >= min && v <= max; }
};
inline constexpr Range kClustersRange{1, 100};
inline constexpr Range kStationsRange{1, 100};
inline constexpr Range kRackSideRange{1, 20};
inline constexpr Range kMaxStationNumRange{1, 999999};
inline constexpr Range kQueryIntervalRange{5, 60};
inline constexpr Range kServerTimeOutRange{5, 360};

inline constexpr int kGridColumns = 4;
// Larger than any settings file the program writes (100 clusters take under 10 KB).
inline constexpr qsizetype kMaxFileBytes = 1024 * 1024;

// The fixed first rows and default cells of the network grid.
inline constexpr int kDefaultServerTimeOut = 30;
QStringList captionRow();            // "Кластер", "IP-адрес", "Порт", "MAC-адрес"
QStringList defaultClientRow();      // "IP клиента/порт синхр.", "127.0.0.1", "13001", MAC
QStringList defaultClusterRow(int k); // "k", "127.0.0.1", "151500", "00-00-00-00-00-00"
// Rows 0 … clusters + 1 with the default cells.
QList<QStringList> defaultGrid(int clusters);

// The values of the settings file, in file order.
struct SettingsValues {
    int clusters = 1;
    int stationsPerCluster = 48;
    QString journalFolder;                       // "" = the working folder
    QString chargeFolder = QStringLiteral("Charge/");
    int queryInterval = 5;
    int stationsInRackHoriz = 8;
    int stationsInRackVert = 6;
    int maxStationNum = 9999;
    int gridColumns = kGridColumns;
    QList<QStringList> grid;                     // clusters + 2 rows of gridColumns cells
    int serverTimeOut = kDefaultServerTimeOut;

    bool operator==(const SettingsValues&) const = default;
};

// The default settings for `clusters` clusters, with `journalFolder` (the program's folder at start).
SettingsValues defaults(int clusters, const QString& journalFolder);

// Reads the file's bytes; nullopt when the file cannot be read (see above).
std::optional<SettingsValues> parse(QByteArrayView bytes);

// The file's bytes for `values`: Windows-1251, CR LF after every line. The grid is written as it is
// given; rows or cells it lacks are written empty so that the line count always matches the header.
QByteArray toBytes(const SettingsValues& values);

// Folder text as the program keeps it: "\" taken as "/", a trailing "/" added unless empty.
QString normalisedFolder(QString folder);

// Reads the file at `path`: nullopt when it cannot be opened, is too large or cannot be parsed.
std::optional<SettingsValues> readFile(const QString& path);
// Replaces the file at `path` atomically; false when it cannot be written.
bool writeFile(const QString& path, const SettingsValues& values);

} // namespace kalver::settings
