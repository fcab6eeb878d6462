#pragma once
// One value of a subsystem write: the entered text of a writable row checked against its type and
// limits, or the row's current value sent back unchanged.
//
//   type      bytes  entered text                               limits (empty: none)
//   "int32"   4      signed decimal                             signed decimal
//   "uint32"  4      unsigned decimal, a "-" is below minimum   unsigned decimal
//   "uint64"  8      unsigned decimal, a "-" is below minimum   unsigned decimal
//   "float"   4      decimal real (locale separator, or ".")    decimal real
//   "hex32"   4      hexadecimal digits, a "-" is below minimum hexadecimal digits
//
// Other types (the tables, "int64") are not written. The checks run in the order: "-" sign, number,
// minimum, maximum; the first that fails names the row's problem, so a row has at most one message.
// A text that is not a number is not compared with the limits. A limit text that is not a number of
// the type sets no limit. "uint32" and "uint64" take their whole unsigned range (values above 2^31
// included); a real that does not fit a 32-bit real is an input error.
//
// The current value (no new value entered) is read from the value column as the subsystem data reply
// wrote it ("uint64" shown signed); an empty or unreadable value column (a write-only row has none)
// sends zero bytes of the type's size.

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

namespace kalver::stationdata {

enum class WriteType { Int32, UInt32, UInt64, Float, Hex32 };

inline constexpr auto kInputErrorText = u" - ошибка ввода\n";
inline constexpr auto kBelowMinimumText = u" - меньше минимума\n";
inline constexpr auto kAboveMaximumText = u" - больше максимума\n";

// The write type of a type text; nothing for types a write does not carry.
std::optional<WriteType> writeType(QStringView typeText);

// The value's little-endian bytes, or the message of the failed check (one of the three texts).
struct CheckedValue {
    QByteArray bytes;
    QString error;
};
CheckedValue checkNewValue(WriteType type, const QString& text, const QString& minimum, const QString& maximum);

// The bytes of the current value text (the value column).
QByteArray currentValueBytes(WriteType type, const QString& valueText);

} // namespace kalver::stationdata
