#pragma once
// The type text of a subsystem parameter and the size of its value in the station's binary reply:
// "int32", "uint32", "float", "hex32" 4 bytes; "uint64", "int64" 8 bytes; "table<count>/<element>"
// count elements of one of those six; "tab2" 1024 words of 4 bytes. Anything else is unknown.

#include <QString>

namespace kalver::demo {

enum class ValueKind { Int32, UInt32, UInt64, Int64, Float, Hex32 };

int valueSize(ValueKind kind);

struct ParameterType {
    enum class Form { Scalar, Table, Tab2, Unknown };
    Form form = Form::Unknown;
    ValueKind element = ValueKind::Int32;
    int count = 0;  // elements: 1 for a scalar

    // Bytes of the value in a subsystem data reply.
    int byteSize() const { return form == Form::Unknown ? 0 : count * valueSize(element); }
    // A writable row of this type carries a value in a write request: the five scalar types but int64.
    bool travelsInWrite() const { return form == Form::Scalar && element != ValueKind::Int64; }
};

// Larger tables are not believed: a type text must not size an allocation unchecked.
inline constexpr int kMaxTableElements = 65536;
inline constexpr int kTab2Words = 1024;

ParameterType parseParameterType(const QString& text);

} // namespace kalver::demo
