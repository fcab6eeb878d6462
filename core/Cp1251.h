#pragma once
// The 8-bit code page of settings.ini and the subsystem description files: Windows-1251, so files made
// for the racks' Windows tools read the same here. Characters it cannot hold are written as "?".

#include <QByteArray>
#include <QString>

namespace kalver {

QString fromCp1251(QByteArrayView bytes);
QByteArray toCp1251(QStringView text);

} // namespace kalver
