#include "config/TextTables.h"

#include "core/ProgramValues.h"

namespace kalver::texts {

QString textAt(const QStringList& table, qsizetype index) {
    return index >= 0 && index < table.size() ? table.at(index) : QString();
}

const QStringList& interfaceErrors() {
    static const QStringList table = {
        QStringLiteral(" - нет связи с сервером управления"),
        QStringLiteral(" - нет связи с сервером данных"),
        QStringLiteral(" - нет ответа от угломера"),
        QStringLiteral(" - ошибка в последнем обмене с регистратором"),
        QStringLiteral(" - не включено питание угломера"),
        QStringLiteral(" - ошибка при работе через мультиплексор"),
        QStringLiteral(" - ошибка считывания данных из флэш-массива"),
        QStringLiteral(" - ошибка в работе с флэш-памятью интерфейса"),
        QStringLiteral(" - ошибка выключения питания ДС"),
        QStringLiteral(" - нет связи с регистратором"),
        QStringLiteral(" - нет связи с контроллером блока питания (КБП)"),
        QStringLiteral(" - ошибки при работе с генератором"),
        QStringLiteral(" - ошибка перехода в режим ECO"),
        QStringLiteral(" - ошибка  синхронизации времени интерфейса"), // the two blanks belong to the text
        QStringLiteral(" - ошибки в работе с датчиком давления"),
        QStringLiteral(" - ошибка инициализации режима работы интерфейса"),
    };
    return table;
}

const QStringList& recorderErrors() {
    static const QStringList table = [] {
        QStringList t;
        t << QStringLiteral(" - канал 0 не прошел инициализацию");
        for (int i = 0; i < 7; ++i)
            t << QStringLiteral(" - неизвестная ошибка");
        for (int n = 0; n < 4; ++n)
            t << QStringLiteral(" - банк №%1 энергонезависимой памяти данных не прошел инициализацию").arg(n);
        for (int n = 0; n < 4; ++n)
            t << QStringLiteral(" - банк №%1 энергонезависимой памяти данных не готов к работе (time-out)").arg(n);
        for (int n = 0; n < 4; ++n)
            t << QStringLiteral(" - сектор №%1 системной энергонезависимой памяти не прошел верификацию после записи").arg(n);
        for (int n = 0; n < 4; ++n)
            t << QStringLiteral(" - сектор №%1 системной энергонезависимой памяти не закончил запись (time-out)").arg(n);
        t << QStringLiteral(" - количество сбойных блоков в энергонезависимой памяти данных достигло предельного значения");
        return t;
    }();
    return table;
}

const QStringList& bankFailures() {
    static const QStringList table = [] {
        QStringList t;
        for (int n = 0; n < 4; ++n)
            t << QStringLiteral(" - сбой банка %1, тип указан ниже").arg(n);
        return t;
    }();
    return table;
}

const QStringList& failureTypes() {
    static const QStringList table = {
        QStringLiteral(" - тип отказа: неготовность носителя на этапе инициализации"),
        QStringLiteral(" - тип отказа: неподдерживаемая архитектура носителя"),
        QStringLiteral(" - тип отказа: тайм-аут штатной операции с носителем"),
        QStringLiteral(" - тип отказа: сбой записи служебного блока"),
    };
    return table;
}

QString interfaceErrorsHeading() { return QStringLiteral("Ошибки работы Станции (передает Интерфейс):"); }
QString recorderErrorsHeading() { return QStringLiteral("Системные ошибки (передает Регистратор):"); }
QString noErrorsFiller() { return QStringLiteral(" - отсутствуют"); }

const QStringList& stationMessageEndings() {
    static const QStringList table = {
        QStringLiteral(") нет ошибок"),
        QStringLiteral(") не выполнила операцию!"),
        QStringLiteral(") не заряжается!"),
        QStringLiteral(") не получает сигнал PPS и вышла из режима настройки генератора!"),
        QStringLiteral(") сообщает о сбое и вышла из режима настройки генератора!"),
        QStringLiteral(") не изменяет количество отсчетов при включенной регистрации!"),
        QStringLiteral(") не смогла запустить скачивание информации на Кластер!"),
        QStringLiteral(") имеет некритические ошибки в работе!"),
        QStringLiteral(") имеет критические ошибки в работе!"),
        QStringLiteral(") потеряла связь с Сервером!"),
    };
    return table;
}

QString stationMessage(qint64 stationNumber, int clusterNumber, int endingIndex) {
    return QStringLiteral("Станция ") + QString::number(stationNumber) + QStringLiteral(" (Кластер ") +
           QString::number(clusterNumber) + textAt(stationMessageEndings(), endingIndex);
}

const QStringList& registrationStates() {
    static const QStringList table = {
        QStringLiteral("?"),           QStringLiteral("стоп"),          QStringLiteral("идет"),
        QStringLiteral("отложено"),    QStringLiteral("стоп по t"),     QStringLiteral("err пуск"),
        QStringLiteral("err стоп"),    QStringLiteral("стоп по пам."),  QStringLiteral("стоп по бат."),
        QStringLiteral("сист. отказ"), QStringLiteral("сбой рег-ора"),  QStringLiteral("стоп обновл."),
        QStringLiteral("стоп выкл.пит."), QStringLiteral("не было зап."), QStringLiteral("стоп каналы н/г"),
        QStringLiteral("стоп ресурс ФС"), QStringLiteral("стоп сбой ФС"),
    };
    return table;
}

const QStringList& powerOffWords() {
    static const QStringList table = {
        QString(),
        QStringLiteral("выкл. U=6В"),
        QStringLiteral("выкл. U=5,86В"),
        QStringLiteral("выкл. Синхр."),
        QStringLiteral("выкл. ECO"),
        QStringLiteral("выкл. по АКБ"),
        QStringLiteral("выкл. по команде"),
        QStringLiteral("выкл. рег. 4Ач"),
        QStringLiteral("не выкл. 4Ач"),
        QStringLiteral("рег. остан."),
        QStringLiteral("рег. не остан."),
        QStringLiteral("готов к выкл."),
        QStringLiteral("сист. отказ 0х"),
        QStringLiteral("нет связи"),
    };
    return table;
}

const QStringList& testModes() {
    static const QStringList table = {
        QStringLiteral("Нормальный"),
        QStringLiteral("Тест АЦП"),
        QStringLiteral("Тест датчиков"),
        QStringLiteral("Тест SNR"),
    };
    return table;
}

const QStringList& accessLevelNames() {
    static const QStringList table = {
        accessLevelName(AccessMnemo),
        accessLevelName(AccessOperator),
        accessLevelName(AccessAdmin),
        accessLevelName(AccessDeveloper),
    };
    return table;
}

QString captionSuffix(Window window) {
    switch (window) {
    case Window::Login: return QStringLiteral(" - Авторизация");
    case Window::Admin: return QStringLiteral(" - Администрирование");
    case Window::Settings: return QStringLiteral(" - Настройки");
    case Window::Mnemo: return QStringLiteral(" - Мнемосхема");
    case Window::Connection: return QStringLiteral(" - Соединение с Кластерами");
    case Window::Work: return QStringLiteral(" - Управление");
    }
    return {};
}

QString windowCaption(Window window) { return program().applicationTitle + captionSuffix(window); }

} // namespace kalver::texts
