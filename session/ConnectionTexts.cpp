#include "session/ConnectionTexts.h"

#include "config/TextTables.h"

namespace kalver::session::connection_text {

QStringList gridCaptions() {
    return {QStringLiteral("Кластер"), QStringLiteral("IP-адрес:Порт"), QStringLiteral("Связь"),
            QStringLiteral("Доступ"), QStringLiteral("В работе")};
}

QString addressCell(const QString& address, const QString& portField) {
    return address + u':' + portField.mid(1);
}

QString checkBoxHint(int number) { return QStringLiteral("Выбрать для работы Кластер ") + QString::number(number); }

QString countdownCaption(int seconds) {
    return texts::windowCaption(texts::Window::Connection) + QStringLiteral(", ") + QString::number(seconds) +
           QStringLiteral(" с. до перехода к мнемосхеме");
}

QString withNumber(const char16_t* text, int number) { return QString::fromUtf16(text) + QString::number(number); }

QString exchangeError(int number, int errorCode) {
    return withNumber(kExchangeError, number) + QStringLiteral(" №") + QString::number(errorCode);
}

} // namespace kalver::session::connection_text
