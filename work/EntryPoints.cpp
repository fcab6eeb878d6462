#include "work/EntryPoints.h"

#include "core/ProgramValues.h"

#include <QAction>
#include <QMenu>

namespace kalver::work {

namespace {

// Positions in commands().
enum CommandIndex {
    RegStart, RegStop, DataTransfer, StopDataTransfer, StationFind, DeleteOldestFile, DeleteAllFiles,
    DeleteInclinData, StartTestGen, StartTestGenSens, StartTestRes, StartInclinCalib, StartGenCorr,
    StopGenCorr, PowerOff, ShowReggedData, ShowChargeCurves, Subsystem,
};

const int kEmptySelectionImageBase = 60;
const int kSelectionImageBase = 43;

} // namespace

const std::array<Command, kCommandCount>& commands() {
    static const std::array<Command, kCommandCount> table = {{
        {"mi_RegStart", "pm_RegStart", QStringLiteral("Запуск регистрации"), 1,
         QStringLiteral("Запуск регистрации для выбранных Станций"), page::Operations, operation::RegStart},
        {"mi_RegStop", "pm_RegStop", QStringLiteral("Остановка регистрации"), 10,
         QStringLiteral("Остановка регистрации выбранных Станций"), page::Operations, operation::RegStop},
        {"mi_DataTransfer", "pm_DataTransfer", QStringLiteral("Запуск скачивания"), 2,
         QStringLiteral("Запуск скачивания для выбранных Станций"), page::Operations, operation::DataTransfer},
        {"mi_StopDataTransfer", "pm_StopDataTransfer", QStringLiteral("Остановка скачивания"), 11,
         QStringLiteral("Остановка скачивания выбранных Станций"), page::Operations, operation::StopDataTransfer},
        {"mi_StationFind", "pm_StationFind", QStringLiteral("Поиск в кластере"), 9,
         QStringLiteral("Поиск в стойках выбранных Станций"), page::Operations, operation::StationFind},
        {"mi_DeleteOldestFile", "pm_DeleteOldestFile", QStringLiteral("Стереть самый старый файл"), 7,
         QStringLiteral("Стереть самый старый файл выбранных Станций"), page::Operations, operation::DeleteOldestFile},
        {"mi_DeleteAllFiles", "pm_DeleteAllFiles", QStringLiteral("Стереть все файлы"), 16,
         QStringLiteral("Стереть все файлы выбранных Станций"), page::Operations, operation::DeleteAllFiles},
        {"mi_DeleteInclinData", "pm_DeleteInclinData", QStringLiteral("Стереть данные угломера"), 8,
         QStringLiteral("Стереть данные угломеров выбранных Станций"), page::Operations, operation::DeleteInclinData},
        {"mi_StartTestGen", "pm_StartTestGen", QStringLiteral("АЦП"), 3,
         QStringLiteral("Запуск теста АЦП для выбранных Станций"), page::Operations, operation::StartTestGen},
        {"mi_StartTestGenSens", "pm_StartTestGenSens", QStringLiteral("датчиков"), 4,
         QStringLiteral("Запуск теста датчиков для выбранных Станций"), page::Operations, operation::StartTestGenSens},
        {"mi_StartTestRes", "pm_StartTestRes", QStringLiteral("SNR"), 12,
         QStringLiteral("Запуск теста SNR для выбранных Станций"), page::Operations, operation::StartTestRes},
        {"mi_StartInclinCalib", "pm_StartInclinCalib", QStringLiteral("Запуск калибровки угломера"), 13,
         QStringLiteral("Запуск калибровки угломера выбранных Станций"), page::Operations, operation::StartInclinCalib},
        {"mi_StartGenCorr", "pm_StartGenCorr", QStringLiteral("запустить"), 5,
         QStringLiteral("Запуск настройки генератора для выбранных Станций"), page::Operations, operation::StartGenCorr},
        {"mi_StopGenCorr", "pm_StopGenCorr", QStringLiteral("остановить"), 14,
         QStringLiteral("Остановка настройки генератора выбранных Станций"), page::Operations, operation::StopGenCorr},
        {"mi_PowerOff", "pm_PowerOff", QStringLiteral("Выключить питание"), 17,
         QStringLiteral("Выключить питание выбранных Станций"), page::Operations, operation::PowerOff},
        {"mi_ShowReggedData", "pm_ShowReggedData", QStringLiteral("Просмотр информации"), 6,
         QStringLiteral("Просмотр информации для выбранных Станций"), page::Information, kNoOperation},
        {"mi_ShowChargeCurves", "pm_ShowChargeCurves", QStringLiteral("Просмотр кривых заряда"), 15,
         QStringLiteral("Просмотр кривых заряда выбранных Станций"), page::ChargeCurves, kNoOperation},
        {"mi_Subsystem", "pm_Subsystem", QStringLiteral("Настройка подсистем"), -1, QString(), page::Subsystems,
         kNoOperation},
    }};
    return table;
}

const Command* commandOfItem(int item) {
    for (const Command& c : commands())
        if (c.commandItem == item && item > 0)
            return &c;
    return nullptr;
}

int commandItemImage(int item, bool anySelected, bool hiddenByLevel) {
    if (item == 0)
        return kAcknowledgeImage;
    if (item < 0 || item >= kCommandItemCount || hiddenByLevel)
        return -1;
    return item + (anySelected ? kSelectionImageBase : kEmptySelectionImageBase);
}

bool commandItemHiddenAtLevel(int item, int accessLevel) {
    return (item == 9 || item == 15) && accessLevel < AccessDeveloper;
}

CommandClick commandClick(int item, int image) {
    if (item < 0 || item >= kCommandItemCount || image == -1)
        return CommandClick::Nothing;
    if (item != 0 && image > kEmptySelectionImageBase)
        return CommandClick::Nothing;
    return item == 0 ? CommandClick::Acknowledge : CommandClick::Run;
}

CommandItem commandItem(int item) {
    if (item == 0)
        return {QStringLiteral("Квит."), QStringLiteral("Квитировать все ошибки")};
    if (const Command* c = commandOfItem(item))
        return {QString(), c->hint};
    return {};
}

// ---------------------------------------------------------------- EntryPoints

EntryPoints::EntryPoints(QWidget* menuParent, QObject* parent) : QObject(parent), m_menuParent(menuParent) {
    miSelected = new QMenu(QStringLiteral("Выбранные"), menuParent);
    miSelected->setObjectName(QStringLiteral("miSelected"));
    miSelected->menuAction()->setObjectName(QStringLiteral("miSelected"));
    fillMenu(miSelected, false);

    PopupMenu_Station = new QMenu(menuParent);
    PopupMenu_Station->setObjectName(QStringLiteral("PopupMenu_Station"));
    pm_StationNoSettings = PopupMenu_Station->addAction(QStringLiteral("Свойства Станции"));
    pm_StationNoSettings->setObjectName(QStringLiteral("pm_StationNoSettings"));
    pm_StationNoSettings->setVisible(false);
    fillMenu(PopupMenu_Station, true);

    setAccessLevel(program().accessLevel);
    disableSelected();
    showSummary(summaryOfCount(0, 0, 0));
}

EntryPoints::~EntryPoints() {
    if (m_menuParent.isNull()) {
        delete miSelected;
        delete PopupMenu_Station;
    }
}

void EntryPoints::fillMenu(QMenu* menu, bool popup) {
    const auto add = [this, popup](QMenu* into, int index) {
        const Command& c = commands()[static_cast<std::size_t>(index)];
        QAction* a = into->addAction(c.caption);
        a->setObjectName(QString::fromLatin1(popup ? c.popupName : c.menuName));
        (popup ? popupItems : menuItems)[static_cast<std::size_t>(index)] = a;
        connect(a, &QAction::triggered, this, [this, index] { runCommand(index); });
    };
    const auto submenu = [menu, popup](const QString& caption, const char* menuName, const char* popupName) {
        QMenu* sub = menu->addMenu(caption);
        const QString name = QString::fromLatin1(popup ? popupName : menuName);
        sub->setObjectName(name);
        sub->menuAction()->setObjectName(name);
        return sub;
    };

    add(menu, StationFind);
    menu->addSeparator();
    add(menu, PowerOff);
    menu->addSeparator();
    add(menu, ShowReggedData);
    add(menu, ShowChargeCurves);
    menu->addSeparator();
    add(menu, RegStart);
    add(menu, RegStop);
    menu->addSeparator();
    add(menu, DataTransfer);
    add(menu, StopDataTransfer);
    menu->addSeparator();
    add(menu, DeleteOldestFile);
    add(menu, DeleteAllFiles);
    add(menu, DeleteInclinData);
    menu->addSeparator();
    add(menu, Subsystem);
    menu->addSeparator();
    QMenu* tests = submenu(QStringLiteral("Запуск теста..."), "mi_StartTest", "pm_StartTest");
    add(tests, StartTestGen);
    add(tests, StartTestGenSens);
    add(tests, StartTestRes);
    add(menu, StartInclinCalib);
    QMenu* generator = submenu(QStringLiteral("Настройка генератора"), "mi_GenCorr", "pm_GenCorr");
    add(generator, StartGenCorr);
    add(generator, StopGenCorr);
}

void EntryPoints::setAccessLevel(int level) {
    m_level = level;
    const bool developer = level >= AccessDeveloper;
    for (const int index : {ShowChargeCurves, Subsystem}) {
        menuItems[static_cast<std::size_t>(index)]->setVisible(developer);
        popupItems[static_cast<std::size_t>(index)]->setVisible(developer);
    }
    emit commandImagesChanged();
}

void EntryPoints::showSummary(const SelectionSummary& summary) {
    miSelected->menuAction()->setEnabled(summary.enabled);
    miSelected->menuAction()->setText(summary.selectedCaption);
    if (summary.propertiesCaption)
        pm_StationNoSettings->setText(*summary.propertiesCaption);
    m_anySelected = summary.anySelected;
    emit commandImagesChanged();
}

void EntryPoints::disableSelected() { miSelected->menuAction()->setEnabled(false); }

int EntryPoints::commandImage(int item) const {
    return commandItemImage(item, m_anySelected, commandItemHiddenAtLevel(item, m_level));
}

void EntryPoints::clickCommandItem(int item) {
    switch (commandClick(item, commandImage(item))) {
    case CommandClick::Nothing:
        return;
    case CommandClick::Acknowledge:
        emit acknowledgeRequested();
        return;
    case CommandClick::Run:
        break;
    }
    for (int i = 0; i < kCommandCount; ++i)
        if (commands()[static_cast<std::size_t>(i)].commandItem == item)
            runCommand(i);
}

void EntryPoints::runCommand(int index) {
    if (index < 0 || index >= kCommandCount || !m_open)
        return;
    const Command& c = commands()[static_cast<std::size_t>(index)];
    m_open(c.page, c.operation);
}

} // namespace kalver::work
