#include "config/Catalogue.h"

#include "core/ProgramValues.h"

#include <QtGlobal>

namespace kalver::catalogue {

namespace {

QList<Entry> makeEntries() {
    // Title, text pieces, code; in code order. The variable texts go between the pieces.
    return {
        {QStringLiteral("Ошибка архивирования"),
         {QStringLiteral("Не могу получить доступ к файлу архива!\nОбратитесь к разработчику.\nПриложение будет закрыто.")},
         QStringLiteral("e000")},
        {QStringLiteral("Ошибка настройки"),
         {QStringLiteral("Не найден файл пользователей!\nОбратитесь к разработчику.\nПриложение будет закрыто.")},
         QStringLiteral("e001")},
        {QStringLiteral("Ошибка авторизации"),
         {QStringLiteral("Логин и/или пароль введен(ы) неверно!\nПроверьте правильность ввода.")},
         QStringLiteral("e002")},
        {QStringLiteral("Ошибка ввода паролей"),
         {QStringLiteral("Введенные пароли не совпадают!")},
         QStringLiteral("e003")},
        {QStringLiteral("Ошибка задания уровня доступа"),
         {QStringLiteral("Невозможно повышение уровня доступа сверх вашего!")},
         QStringLiteral("e004")},
        {QStringLiteral("Ошибка ввода логина"),
         {QStringLiteral("Такой логин уже есть!")},
         QStringLiteral("e005")},
        {QStringLiteral("Ошибка задания уровня доступа"),
         {QStringLiteral("Нельзя удалить последнего пользователя\nс правом редактирования учетных записей!")},
         QStringLiteral("e006")},
        {QStringLiteral("Ошибка удаления пользователя"),
         {QStringLiteral("Нельзя удалить последнего пользователя - разработчика/администратора!")},
         QStringLiteral("e007")},
        {QStringLiteral("Ошибка файла настроек"),
         {QStringLiteral("Ошибка чтения файла настроек!\nИспользуются настройки по умолчанию.")},
         QStringLiteral("e008")},
        {QStringLiteral("Ошибка файла настроек"),
         {QStringLiteral("Отсутствует файл настроек!\nИспользуются настройки по умолчанию.")},
         QStringLiteral("e009")},
        {QStringLiteral("Ошибка сохранения"),
         {QStringLiteral("Не могу создать файл настроек!")},
         QStringLiteral("e010")},
        {QStringLiteral("Ошибка сетевых настроек. Вернуться к редактированию?"),
         {QStringLiteral("Обнаружены совпадающие IP-адреса:порты или MAC-адреса!\nВы хотите вернуться к редактированию (да) \nили выйти без сохранения изменений (нет)?")},
         QStringLiteral("e011")},
        {QStringLiteral("Ошибка настроек. Вернуться к редактированию?"),
         {QStringLiteral("Не могу создать файл архива действий оператора по данному пути!\nВы хотите вернуться к редактированию (да) \nили выйти без сохранения изменений (нет)?")},
         QStringLiteral("e012")},
        {QStringLiteral(""),
         {QStringLiteral("Начат новый файл архива")},
         QStringLiteral("e013")},
        {QStringLiteral("Ошибка создания порта Клиента"),
         {QStringLiteral("Не могу создать порт Клиента\nВыполнение соединения останавливается.")},
         QStringLiteral("e018")},
        {QStringLiteral("Ошибка сетевых настроек. Вернуться к редактированию?"),
         {QStringLiteral("Обнаружены пустые ячейки в таблице сетевых настроек!\nВы хотите вернуться к редактированию (да) \nили выйти без сохранения изменений (нет)?")},
         QStringLiteral("e019")},
        {QStringLiteral("Ошибка при создании сетевого подключения"),
         {QStringLiteral("Проверьте сетевые установки Кластеров в окне настроек!")},
         QStringLiteral("e020")},
        {QStringLiteral("Ошибка настроек. Вернуться к редактированию?"),
         {QStringLiteral("Не могу создать папку для хранения трендов заряда по данному пути!\nВы хотите вернуться к редактированию (да) \nили выйти без сохранения изменений (нет)?")},
         QStringLiteral("e021")},
        {QStringLiteral("Ошибка настроек. Вернуться к редактированию?"),
         {QStringLiteral("Указанное количество Модулей по горизонтали и вертикали!\nне вмещает заданное количество Кластеров в стойке!\nВы хотите вернуться к редактированию (да) \nили выйти без сохранения изменений (нет)?")},
         QStringLiteral("e022")},
        {QStringLiteral("Подтвердите действие"),
         {QStringLiteral("Переход к окну настроек прекратит текущий сеанс работы.\nВы хотите перейти к настройкам?")},
         QStringLiteral("e023")},
        {QStringLiteral("Ошибка ввода даты и времени"),
         {QStringLiteral("Дата и время начала показываемого диапазона времени\nне могут быть больше даты и времени конца показываемого диапазона!")},
         QStringLiteral("e024")},
        {QStringLiteral("Ошибка ввода даты и времени"),
         {QStringLiteral("Дата и время начала регистрации не могут быть\nбольше даты и времени окончания регистрации!")},
         QStringLiteral("e025")},
        {QStringLiteral("Выполнили не все Модули"),
         {QStringLiteral("Кластер не подтвердил запуск Станций\nПовторить посылку на запуск (Да) или\nперейти к следующей операции (Нет)?")},
         QStringLiteral("e029")},
        {QStringLiteral("Не все Модули успешно запущены"),
         {QStringLiteral(" Не были запущены:\n"), QStringLiteral("\nПовторить запуск данных Станций?")},
         QStringLiteral("e030")},
        {QStringLiteral("Выполнили не все Модули"),
         {QStringLiteral("Кластер не подтвердил остановку Станций\nПовторить посылку на останов (Да) или\nперейти к следующей операции (Нет)?")},
         QStringLiteral("e031")},
        {QStringLiteral("Не все Модули успешно остановлены"),
         {QStringLiteral(" Не были остановлены:\n"), QStringLiteral("\nПовторить остановку данных Модулей?")},
         QStringLiteral("e032")},
        {QStringLiteral("Кластер не отвечает"),
         {QStringLiteral("Кластер не отправил данные по файловой системе Станции\nПовторить запрос?")},
         QStringLiteral("e033")},
        {QStringLiteral("Ошибка в ходе приема сообщения"),
         {QStringLiteral("Кластер отправил данные по файловой системе\nне для запрашиваемой Станции!")},
         QStringLiteral("e034")},
        {QStringLiteral("Ошибка настроек"),
         {QStringLiteral("Не могу создать папку для хранения трендов заряда!\nПриложение будет закрыто.")},
         QStringLiteral("e039")},
        {QStringLiteral("Подтвердите действие"),
         {QStringLiteral("Очистить файлы кривых заряда Станций?")},
         QStringLiteral("e040")},
        {QStringLiteral("Операция не выполнена"),
         {QStringLiteral("Кластер не подтвердил начало скачивания\nПовторить запрос (Да) или перейти к следующей операции (Нет)?")},
         QStringLiteral("e042")},
        {QStringLiteral("Операция не выполнена"),
         {QStringLiteral("Кластер не ответил на команду поиска Станций\nПовторить запрос (Да) или перейти к следующей операции (Нет)?")},
         QStringLiteral("e043")},
        {QStringLiteral("Операция не выполнена"),
         {QStringLiteral("Кластер не подтвердил выполнение команды удаления самого старого файла\n Повторить запрос (Да) или перейти к следующей операции (Нет)?")},
         QStringLiteral("e044")},
        {QStringLiteral("Операция не выполнена"),
         {QStringLiteral("Кластер не подтвердил выполнение команды удаления всех файлов\nПовторить запрос (Да) или перейти к следующей операции (Нет)?")},
         QStringLiteral("e045")},
        {QStringLiteral("Операция не выполнена"),
         {QStringLiteral("Кластер не подтвердил выполнение команды удаления данных угломера\nПовторить запрос (Да) или перейти к следующей операции (Нет)?")},
         QStringLiteral("e046")},
        {QStringLiteral("Не все Станции удалили файлы"),
         {QStringLiteral(" Не выполнили Станции:\n"), QStringLiteral("\nПовторить команду?")},
         QStringLiteral("e047")},
        {QStringLiteral("Ошибка в командной строке"),
         {QStringLiteral("В параметрах командной строки найдены недупустимые символы!")},
         QStringLiteral("e049")},
        {QStringLiteral("Ошибка редактирования"),
         {QStringLiteral("Данный параметр помечен как read-only!")},
         QStringLiteral("e050")},
        {QStringLiteral("Данные не введены"),
         {QStringLiteral("Нельзя отправлять запрос на обновление информации,\nесли не указано ни одного нового значения!")},
         QStringLiteral("e051")},
        {QStringLiteral("Ошибка приема данных подсистемы"),
         {QStringLiteral("Принятые от Кластера данные не совпадают по размеру\nс ожидаемыми для выбранной подсистемы!\nПовторить запрос?")},
         QStringLiteral("e052")},
        {QStringLiteral("Ошибка содержимого подсистемы"),
         {QStringLiteral("В подсистеме "), QStringLiteral(" обнаружены данные с неизвестным типом.\nВыполнение операции останавливается")},
         QStringLiteral("e053")},
        {QStringLiteral("Кластер не отвечает"),
         {QStringLiteral("Кластер не отправил данные подсистемы\nПовторить запрос?")},
         QStringLiteral("e054")},
        {QStringLiteral("Некорректное значение"),
         {QStringLiteral("Данные по  параметру "), QStringLiteral(" не могут быть преобразованы!")},
         QStringLiteral("e055")},
        {QStringLiteral("Ошибки ввода параметров подсистемы"),
         {QStringLiteral("Данные не будут переданы Кластеру - обнаружены ошибки ввода:\n")},
         QStringLiteral("e057")},
        {QStringLiteral("Ошибка сохранения данных подсистемы"),
         {QStringLiteral("Кластер сообщает об ошибке сохранения новых данных подсистемы\nПовторить запрос?")},
         QStringLiteral("e058")},
        {QStringLiteral("Кластер не отвечает"),
         {QStringLiteral("Кластер не подтвердил сохранение данных подсистемы\nПовторить действие?")},
         QStringLiteral("e059")},
        {QStringLiteral("Сообщение Кластера "),
         {QStringLiteral("")},
         QStringLiteral("e060")},
        {QStringLiteral("Ошибка в файле подсистемы"),
         {QStringLiteral("Найдены ошибки в файле данных выбранной подсистемы!")},
         QStringLiteral("e061")},
        {QStringLiteral("Ошибка ввода даты и времени"),
         {QStringLiteral("Дата и время начала скачиваемого периода не могут быть\nбольше даты и времени окончания скачиваемого периода!")},
         QStringLiteral("e063")},
        {QStringLiteral("Подтверждение операции"),
         {QStringLiteral("Данная операция необратима!\nПродолжить ее выполнение?")},
         QStringLiteral("e064")},
        {QStringLiteral("Подтверждение операции"),
         {QStringLiteral("Остановить без возможности возобновления скачивания (Да),\nс возможностью возобновления (Нет)\nили отменить операцию (Отмена)?")},
         QStringLiteral("e065")},
        {QStringLiteral("Кластер не отвечает"),
         {QStringLiteral("Кластер не подтвердил остановку скачивания в течение 60 секунд\nПовторить запрос (Да) или перейти к следующей операции (Нет)?")},
         QStringLiteral("e066")},
        {QStringLiteral("Ошибка ввода даты и времени"),
         {QStringLiteral("Дата и время начала регистрации должны быть установлены с запасом не менее 1 минуты!")},
         QStringLiteral("e067")},
        {QStringLiteral("Ошибка ввода даты и времени"),
         {QStringLiteral("Дата и время окончания регистрации должны быть установлены с запасом не менее 1 минуты!")},
         QStringLiteral("e068")},
        {QStringLiteral("Нет связи с синхросервером"),
         {QStringLiteral("Запуск невозможен для Станций Кластера №")},
         QStringLiteral("e069")},
        {QStringLiteral("Выполнили не все Станции"),
         {QStringLiteral("Некоторые Станции не запустили настройку генератора.\n")},
         QStringLiteral("e070")},
        {QStringLiteral("Выполнили не все Станции"),
         {QStringLiteral("Некоторые Станции не остановили настройку генератора.\n")},
         QStringLiteral("e071")},
        {QStringLiteral("Запрет запуска/остановки"),
         {QStringLiteral("Нельзя запускать или останавливать Станции, пока хотя бы одна\nнаходится в режиме настройки генератора!")},
         QStringLiteral("e072")},
        {QStringLiteral("Ошибка обработки данных подсистемы"),
         {QStringLiteral("Кластер оказал в выдаче данных подсистемы!\nПовторить запрос?")},
         QStringLiteral("e073")},
        {QStringLiteral("Ошибка обработки каталога ФС"),
         {QStringLiteral("Кластер оказал в передаче каталога ФС!")},
         QStringLiteral("e074")},
        {QStringLiteral("Ошибка времени Синхросервера"),
         {QStringLiteral("Синхросервер не передает дату и время\n(возможно, включен режим настройки генератора).\nЗапуск невозможен.")},
         QStringLiteral("e076")},
        {QStringLiteral("Ошибка времени Синхросервера"),
         {QStringLiteral("Синхросервер не передает дату и время\n(возможно, включен режим настройки генератора).\nОстановка невозможна.")},
         QStringLiteral("e077")},
        {QStringLiteral("Нет связи с синхросервером"),
         {QStringLiteral("Остановка невозможна для Станций Кластера №")},
         QStringLiteral("e078")},
        {QStringLiteral("Запрос невозможен"),
         {QStringLiteral("Станция находится в режиме регистрации или передачи данных Кластеру, запрос к файловой системе невозможен.")},
         QStringLiteral("e079")},
        {QStringLiteral("Выполнили не все Станции"),
         {QStringLiteral("Некоторые Станции не выполнили процедуру выключения питания\nПовторить команду выключения питания для всех выбранных Станций?")},
         QStringLiteral("e081")},
        {QStringLiteral("Внимание!"),
         {QStringLiteral("Станции имеют различную конфигурацию каналов! Различаются:\n")},
         QStringLiteral("e082")},
    };
}

} // namespace

QString Entry::textWith(const QStringList& inserts) const {
    QString out;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        out += pieces.at(i);
        if (i < inserts.size() && i + 1 < pieces.size())
            out += inserts.at(i);
    }
    for (qsizetype i = qMax<qsizetype>(pieces.size() - 1, 0); i < inserts.size(); ++i)
        out += inserts.at(i);
    return out;
}

const QList<Entry>& entries() {
    static const QList<Entry> all = makeEntries();
    return all;
}

const Entry* find(QStringView code) {
    for (const Entry& e : entries())
        if (e.code == code)
            return &e;
    return nullptr;
}

const Entry& entry(QStringView code) {
    const Entry* e = find(code);
    Q_ASSERT_X(e, "catalogue::entry", "unknown catalogue code");
    static const Entry missing;
    return e ? *e : missing;
}

MessageAnswer show(QStringView code, MessageIcon icon, MessageButtons buttons, const QStringList& inserts) {
    const Entry& e = entry(code);
    return showMessage({e.title, e.textWith(inserts), icon, buttons, e.code});
}

const UnnumberedMessage& saveChangesQuestion() {
    static const UnnumberedMessage m{QStringLiteral("Сохранить изменения?"),
                                     QStringLiteral("В настройки были внесены изменения. Сохранить?")};
    return m;
}

QString editSucceededText() { return QStringLiteral("Редактирование записи прошло успешно!"); }

QString newLoginHintText() {
    return QStringLiteral("Для принятия нового имени введите пароль,\nнажимте <Ввод> и подтвердите изменения");
}

bool askSaveChanges() {
    const UnnumberedMessage& m = saveChangesQuestion();
    return showMessage({m.title, m.text, MessageIcon::Question, MessageButtons::YesNo, {}}) == MessageAnswer::Yes;
}

void showInformation(const QString& text) {
    showMessage({program().applicationTitle, text, MessageIcon::Information, MessageButtons::Ok, {}});
}

QString journalCode(JournalCode code) {
    return QStringLiteral("w%1").arg(static_cast<int>(code), 3, 10, QLatin1Char('0'));
}

} // namespace kalver::catalogue
