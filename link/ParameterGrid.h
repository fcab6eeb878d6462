#pragma once
// Plain data behind the station data window's parameter grid `sg_StationParams` and the small
// parameter table window `Form_SmallTable`. The window loads the rows (name, access, type, limits)
// from a subsystem file; the subsystem data message (wire code 112) fills the value column and the
// small table; the windows show what these hold.

#include <QList>
#include <QString>

namespace kalver::link {

// One row of `sg_StationParams` below the headings: its columns 0 ... 6.
struct ParameterRow {
    QString name;     // 0 "Параметр"
    QString access;   // 1 "r/w"
    QString type;     // 2 "Тип": "int32", "uint32", "uint64", "int64", "float", "hex32", "table<n>/<type>", "tab2"
    QString minimum;  // 3 "Мин"
    QString maximum;  // 4 "Макс"
    QString value;    // 5 "Значение": written by the subsystem data message
    QString newValue; // 6 "Новое значение": entered by the operator

    bool operator==(const ParameterRow&) const = default;
};

// The grid's rows below the headings: rows[0] is grid row 1.
struct ParameterGrid {
    QList<ParameterRow> rows;
};

// One row of `sg_SmallParams` below its headings "Номер" / "Значение".
struct SmallTableRow {
    QString index; // the element's 0-based position
    QString value; // the element's text

    bool operator==(const SmallTableRow&) const = default;
};

// The contents of the small parameter table window.
struct SmallTable {
    QString caption = QStringLiteral("Form_SmallTable"); // the window's design caption until filled
    QList<SmallTableRow> rows; // grid rows 1 ... n
    QString memo;              // `xMemo`: one line, the table's raw bytes as characters
};

} // namespace kalver::link
