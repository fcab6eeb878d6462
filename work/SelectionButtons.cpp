#include "work/SelectionButtons.h"

namespace kalver::work {

namespace {

// Items 2 ... 10: three buckets (2, 1, 0) of charge, pressure and free memory.
SelectionItemAction bucketItem(int item) {
    const int k = item - 2;
    static constexpr Quantity kOrder[] = {Quantity::Charge, Quantity::Pressure, Quantity::FreeMemory};
    SelectionItemAction a{SelectionItemAction::Bucket};
    a.quantity = kOrder[k / 3];
    a.bucket = kBucketsInListOrder[static_cast<std::size_t>(k % 3)];
    return a;
}

} // namespace

SelectionItemAction selectionItemAction(int item) {
    if (item == 1)
        return {SelectionItemAction::DriftRange};
    if (item >= 2 && item <= 10)
        return bucketItem(item);
    if (item == 11)
        return {SelectionItemAction::NumberRange};
    if (item >= 12 && item <= 21) {
        SelectionItemAction a{SelectionItemAction::State};
        a.state = static_cast<StateItem>(item - 12);
        return a;
    }
    return {SelectionItemAction::Reset};
}

QString selectionItemHint(int item) {
    static const QString kStateHints[kStateItemCount] = {
        QStringLiteral("Выделить заряжающиеся Станции"),
        QStringLiteral("Выделить не заряжающиеся Станции"),
        QStringLiteral("Выделить Станции с запущенной регистрацией"),
        QStringLiteral("Выделить Станции с остановленной регистрацией"),
        QStringLiteral("Выделить Станции в процессе скачивания"),
        QStringLiteral("Выделить Станции не в процессе скачивания"),
        QStringLiteral("Выделить Станции в режиме тестирования"),
        QStringLiteral("Выделить Станции не в режиме тестирования"),
        QStringLiteral("Выделить Станции в процессе настройки генератора"),
        QStringLiteral("Выделить Станции не в процессе настройки генератора"),
    };
    const SelectionItemAction a = selectionItemAction(item);
    switch (a.kind) {
    case SelectionItemAction::Reset: return QStringLiteral("Сбросить фильтры");
    case SelectionItemAction::DriftRange: return QStringLiteral("Выделить по уходу часов");
    case SelectionItemAction::NumberRange: return QStringLiteral("Выделить по номеру");
    case SelectionItemAction::State: return kStateHints[static_cast<int>(a.state)];
    case SelectionItemAction::Bucket: break;
    }
    switch (a.quantity) {
    case Quantity::Charge: return QStringLiteral("Выделить по заряду ") + bucketCaption(a.quantity, a.bucket);
    case Quantity::Pressure: return QStringLiteral("Выделить по давлению ") + bucketCaption(a.quantity, a.bucket);
    case Quantity::FreeMemory: break;
    }
    return QStringLiteral("Выделить по свободной памяти ") + bucketCaption(a.quantity, a.bucket);
}

int selectionItemActiveImage(int item) {
    if (item == 1)
        return 2;
    if (item >= 2 && item <= 10)
        return item + 1;
    if (item == 11)
        return 1;
    if (item >= 12 && item <= 21)
        return item;
    return 0;
}

int selectionItemInactiveImage(int item) {
    if (item <= 0 || item >= kSelectionItemCount)
        return 0;
    return selectionItemActiveImage(item) + 21;
}

int selectionItemImage(int item, const SelectionFilters& f) {
    const SelectionItemAction a = selectionItemAction(item);
    bool on = false;
    switch (a.kind) {
    case SelectionItemAction::Reset: return 0;
    case SelectionItemAction::DriftRange: on = f.driftRange().has_value(); break;
    case SelectionItemAction::NumberRange: on = f.numberRange().has_value(); break;
    case SelectionItemAction::Bucket: on = f.bucketChecked(a.quantity, a.bucket); break;
    case SelectionItemAction::State: on = f.stateChecked(a.state); break;
    }
    return on ? selectionItemActiveImage(item) : selectionItemInactiveImage(item);
}

} // namespace kalver::work
