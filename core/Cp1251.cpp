#include "core/Cp1251.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace kalver {

QString fromCp1251(QByteArrayView bytes) {
    QStringDecoder decoder("windows-1251");
    return decoder.decode(bytes);
}

QByteArray toCp1251(QStringView text) {
    QStringEncoder encoder("windows-1251", QStringConverter::Flag::Default);
    return encoder.encode(text);
}

} // namespace kalver
