#include "config/Catalogue.h"
#include "config/TextTables.h"
#include "core/ProgramValues.h"
#include "support/MessageRecorder.h"

#include <gtest/gtest.h>

using namespace kalver;
using namespace kalver::catalogue;

TEST(Catalogue, EveryUsedCodeResolvesAndNoOtherDoes) {
    const QStringList used = QStringLiteral(
        "e000 e001 e002 e003 e004 e005 e006 e007 e008 e009 e010 e011 e012 e013 e018 e019 e020 e021 e022 e023 "
        "e024 e025 e029 e030 e031 e032 e033 e034 e039 e040 e042 e043 e044 e045 e046 e047 e049 e050 e051 e052 "
        "e053 e054 e055 e057 e058 e059 e060 e061 e063 e064 e065 e066 e067 e068 e069 e070 e071 e072 e073 e074 "
        "e076 e077 e078 e079 e081 e082").split(QLatin1Char(' '));
    ASSERT_EQ(used.size(), 66);
    for (const QString& code : used) {
        const Entry* e = find(code);
        ASSERT_NE(e, nullptr) << code.toStdString();
        EXPECT_EQ(e->code, code);
        EXPECT_EQ(e->title.isEmpty(), code == QLatin1String("e013")) << code.toStdString();
        EXPECT_EQ(e->text().isEmpty(), code == QLatin1String("e060")) << code.toStdString();
    }
    EXPECT_EQ(entries().size(), used.size());
    for (const char* unused : {"e014", "e015", "e016", "e017", "e026", "e083", "w000", ""})
        EXPECT_EQ(find(QString::fromLatin1(unused)), nullptr) << unused;
}

TEST(Catalogue, TextsQuotedByTheWindowsAreExact) {
    struct Case {
        const char* code;
        QString title;
        QString text;
    };
    const Case cases[] = {
        {"e013", QString(), QStringLiteral("Начат новый файл архива")},
        {"e060", QStringLiteral("Сообщение Кластера "), QString()},
        {"e011", QStringLiteral("Ошибка сетевых настроек. Вернуться к редактированию?"),
         QStringLiteral("Обнаружены совпадающие IP-адреса:порты или MAC-адреса!\nВы хотите вернуться к редактированию (да) "
                        "\nили выйти без сохранения изменений (нет)?")},
        {"e022", QStringLiteral("Ошибка настроек. Вернуться к редактированию?"),
         QStringLiteral("Указанное количество Модулей по горизонтали и вертикали!\nне вмещает заданное количество Кластеров в "
                        "стойке!\nВы хотите вернуться к редактированию (да) \nили выйти без сохранения изменений (нет)?")},
        {"e044", QStringLiteral("Операция не выполнена"),
         QStringLiteral("Кластер не подтвердил выполнение команды удаления самого старого файла\n Повторить запрос (Да) или "
                        "перейти к следующей операции (Нет)?")},
        {"e049", QStringLiteral("Ошибка в командной строке"),
         QStringLiteral("В параметрах командной строки найдены недупустимые символы!")},
        {"e082", QStringLiteral("Внимание!"), QStringLiteral("Станции имеют различную конфигурацию каналов! Различаются:\n")},
    };
    for (const Case& c : cases) {
        const Entry& e = entry(QString::fromLatin1(c.code));
        EXPECT_EQ(e.title, c.title) << c.code;
        EXPECT_EQ(e.text(), c.text) << c.code;
    }
}

TEST(Catalogue, InsertionsGoBetweenThePieces) {
    EXPECT_EQ(entry(u"e055").textWith({QStringLiteral("ADCdigitValue")}),
              QStringLiteral("Данные по  параметру ADCdigitValue не могут быть преобразованы!"));
    EXPECT_EQ(entry(u"e030").textWith({QStringLiteral("12,13")}),
              QStringLiteral(" Не были запущены:\n12,13\nПовторить запуск данных Станций?"));
    EXPECT_EQ(entry(u"e053").textWith({QStringLiteral("X.sub")}),
              QStringLiteral("В подсистеме X.sub обнаружены данные с неизвестным типом.\nВыполнение операции останавливается"));
    // A one-piece text takes its insertion at the end.
    EXPECT_EQ(entry(u"e069").textWith({QStringLiteral("3")}), QStringLiteral("Запуск невозможен для Станций Кластера №3"));
    EXPECT_EQ(entry(u"e060").textWith({QStringLiteral("body")}), QStringLiteral("body"));
}

TEST(Catalogue, ShowPassesTitleTextIconButtonsAndCode) {
    test::MessageRecorder recorder(MessageAnswer::Yes);
    EXPECT_EQ(show(u"e032", MessageIcon::Error, MessageButtons::YesNo, {QStringLiteral("5,6")}), MessageAnswer::Yes);
    EXPECT_TRUE(askSaveChanges());
    showInformation(editSucceededText());
    ASSERT_EQ(recorder.shown().size(), 3);
    const MessageRequest& r = recorder.shown().at(0);
    EXPECT_EQ(r.title, QStringLiteral("Не все Модули успешно остановлены"));
    EXPECT_EQ(r.text, QStringLiteral(" Не были остановлены:\n5,6\nПовторить остановку данных Модулей?"));
    EXPECT_EQ(r.icon, MessageIcon::Error);
    EXPECT_EQ(r.buttons, MessageButtons::YesNo);
    EXPECT_EQ(r.code, QStringLiteral("e032"));
    EXPECT_EQ(recorder.shown().at(1).title, QStringLiteral("Сохранить изменения?"));
    EXPECT_EQ(recorder.shown().at(1).text, QStringLiteral("В настройки были внесены изменения. Сохранить?"));
    EXPECT_EQ(recorder.shown().at(1).icon, MessageIcon::Question);
    EXPECT_EQ(recorder.shown().at(2).title, program().applicationTitle);
    EXPECT_EQ(recorder.shown().at(2).text, QStringLiteral("Редактирование записи прошло успешно!"));
    EXPECT_EQ(newLoginHintText(),
              QStringLiteral("Для принятия нового имени введите пароль,\nнажимте <Ввод> и подтвердите изменения"));
}

TEST(Catalogue, JournalCodes) {
    EXPECT_EQ(journalCode(JournalCode::ProgramStarted), QStringLiteral("w000"));
    EXPECT_EQ(journalCode(JournalCode::LevelChanged), QStringLiteral("w007"));
    EXPECT_EQ(journalCode(JournalCode::StationAlarm), QStringLiteral("w009"));
}

TEST(TextTables, SizesAndTheEntriesThatMatter) {
    using namespace kalver::texts;
    EXPECT_EQ(interfaceErrors().size(), 16);
    EXPECT_EQ(recorderErrors().size(), 25);
    EXPECT_EQ(bankFailures().size(), 4);
    EXPECT_EQ(failureTypes().size(), 4);
    EXPECT_EQ(stationMessageEndings().size(), 10);
    EXPECT_EQ(registrationStates().size(), 17);
    EXPECT_EQ(powerOffWords().size(), 14);
    EXPECT_EQ(testModes().size(), 4);
    EXPECT_EQ(accessLevelNames(), QStringList({"Мнемосхема", "Оператор", "Администратор", "Разработчик"}));

    EXPECT_EQ(interfaceErrors().at(13), QStringLiteral(" - ошибка  синхронизации времени интерфейса"));
    EXPECT_EQ(interfaceErrors().at(15), QStringLiteral(" - ошибка инициализации режима работы интерфейса"));
    EXPECT_EQ(recorderErrors().at(7), QStringLiteral(" - неизвестная ошибка"));
    EXPECT_EQ(recorderErrors().at(11), QStringLiteral(" - банк №3 энергонезависимой памяти данных не прошел инициализацию"));
    EXPECT_EQ(recorderErrors().at(12), QStringLiteral(" - банк №0 энергонезависимой памяти данных не готов к работе (time-out)"));
    EXPECT_EQ(recorderErrors().at(23), QStringLiteral(" - сектор №3 системной энергонезависимой памяти не закончил запись (time-out)"));
    EXPECT_EQ(bankFailures().at(2), QStringLiteral(" - сбой банка 2, тип указан ниже"));
    EXPECT_EQ(registrationStates().at(16), QStringLiteral("стоп сбой ФС"));
    EXPECT_TRUE(powerOffWords().at(0).isEmpty());
    EXPECT_EQ(powerOffWords().at(12), QStringLiteral("сист. отказ 0х"));
    EXPECT_EQ(powerOffWords().at(13), QStringLiteral("нет связи"));
    EXPECT_EQ(noErrorsFiller(), QStringLiteral(" - отсутствуют"));

    EXPECT_EQ(stationMessage(1042, 3, 2), QStringLiteral("Станция 1042 (Кластер 3) не заряжается!"));
    // Indices come from stations: outside a table they give an empty text, never a crash.
    EXPECT_TRUE(textAt(registrationStates(), 17).isEmpty());
    EXPECT_TRUE(textAt(registrationStates(), -1).isEmpty());
    EXPECT_EQ(stationMessage(7, 1, 99), QStringLiteral("Станция 7 (Кластер 1"));
}

TEST(TextTables, CaptionsAreTheTitleAndASuffix) {
    using namespace kalver::texts;
    EXPECT_EQ(windowCaption(Window::Settings), QStringLiteral("Kalver Client v1.3 DEMO - Настройки"));
    EXPECT_EQ(captionSuffix(Window::Connection), QStringLiteral(" - Соединение с Кластерами"));
    EXPECT_EQ(captionSuffix(Window::Work), QStringLiteral(" - Управление"));
}
