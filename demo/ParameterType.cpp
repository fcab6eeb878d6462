#include "demo/ParameterType.h"

#include <optional>

namespace kalver::demo {

namespace {

std::optional<ValueKind> scalarKind(const QString& text) {
    if (text == u"int32") return ValueKind::Int32;
    if (text == u"uint32") return ValueKind::UInt32;
    if (text == u"uint64") return ValueKind::UInt64;
    if (text == u"int64") return ValueKind::Int64;
    if (text == u"float") return ValueKind::Float;
    if (text == u"hex32") return ValueKind::Hex32;
    return std::nullopt;
}

} // namespace

int valueSize(ValueKind kind) { return kind == ValueKind::UInt64 || kind == ValueKind::Int64 ? 8 : 4; }

ParameterType parseParameterType(const QString& text) {
    ParameterType type;
    if (const std::optional<ValueKind> kind = scalarKind(text)) {
        type.form = ParameterType::Form::Scalar;
        type.element = *kind;
        type.count = 1;
    } else if (text.contains(u"table")) {
        const QString layout = text.mid(5);
        const qsizetype slash = layout.indexOf(u'/');
        bool ok = false;
        const int count = slash < 0 ? -1 : layout.left(slash).toInt(&ok);
        const std::optional<ValueKind> element = slash < 0 ? std::nullopt : scalarKind(layout.mid(slash + 1));
        if (ok && count >= 0 && count <= kMaxTableElements && element) {
            type.form = ParameterType::Form::Table;
            type.element = *element;
            type.count = count;
        }
    } else if (text.contains(u"tab2")) {
        type.form = ParameterType::Form::Tab2;
        type.element = ValueKind::Hex32;
        type.count = kTab2Words;
    }
    return type;
}

} // namespace kalver::demo
