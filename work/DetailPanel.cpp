#include "work/DetailPanel.h"

#include <QGridLayout>
#include <QLabel>

#include <algorithm>

namespace kalver::work {

namespace {
constexpr int kColumnWidths[4] = {80, 120, 80, 100};
constexpr int kRowHeight = 13;
constexpr int kRows = 11;
} // namespace

DetailPanel::DetailPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("GridPanel1"));
    setFrameShape(QFrame::StyledPanel);
    m_grid = new QGridLayout(this);
    m_grid->setContentsMargins(4, 2, 4, 2);
    m_grid->setHorizontalSpacing(2);
    m_grid->setVerticalSpacing(0);
    // A little narrower font than the window's. Each label gets it itself: a style sheet on the
    // application stops fonts from passing from a widget to its children.
    m_font = font();
    m_font.setPointSizeF(7.5);
    for (int r = 0; r < kRows; ++r)
        m_grid->setRowMinimumHeight(r, kRowHeight);

    caption(QStringLiteral("№ Станции:"), 0, 0);
    lbl_StatNo = value("lbl_StatNo", 0, 1);
    caption(QStringLiteral("Зарядка:"), 0, 2);
    lbl_Charge = value("lbl_Charge", 0, 3);

    caption(QStringLiteral("Заряд:"), 1, 0);
    lbl_ChargeLvl = value("lbl_ChargeLvl", 1, 1);
    caption(QStringLiteral("Регистрация:"), 1, 2);
    lbl_Reg = value("lbl_Reg", 1, 3);

    caption(QStringLiteral("Давление:"), 2, 0);
    lbl_StatPressure = value("lbl_StatPressure", 2, 1);
    caption(QStringLiteral("Скачивание:"), 2, 2);
    lbl_Dwnl = value("lbl_Dwnl", 2, 3);

    caption(QStringLiteral("Время:"), 3, 0);
    lbl_StatTime = value("lbl_StatTime", 3, 1);
    caption(QStringLiteral("Тестирование:"), 3, 2);
    lbl_Test1 = value("lbl_Test1", 3, 3);

    caption(QStringLiteral("Уход частоты:"), 4, 0);
    lbl_StatFreqErr = value("lbl_StatFreqErr", 4, 1);
    lbl_Test2 = value("lbl_Test2", 4, 3);

    caption(QStringLiteral("Памяти своб.:"), 5, 0);
    lbl_StatFreeMem = value("lbl_StatFreeMem", 5, 1);
    caption(QStringLiteral("Файлов:"), 5, 2);
    lbl_StatFiles = value("lbl_StatFiles", 5, 3);

    caption(QStringLiteral("Настр. генер.:"), 6, 0);
    lbl_GenCor = value("lbl_GenCor", 6, 1);
    caption(QStringLiteral("частота:"), 6, 2);
    lbl_GenCorrFreq = value("lbl_GenCorrFreq", 6, 3);

    lbl_GenCorrTime = value("lbl_GenCorrTime", 7, 1);
    caption(QStringLiteral("погрешность:"), 7, 2);
    lbl_GenCorrQuality = value("lbl_GenCorrQuality", 7, 3);

    Label_LastState = caption(QStringLiteral("Последн сост.:"), 8, 0, "Label_LastState");
    lbl_LastState = value("lbl_LastState", 8, 1);
    lbl_StateTime = value("lbl_StateTime", 8, 2, 2); // the time is longer than its column

    Label_Flags = caption(QStringLiteral("флаги сост.:"), 9, 0, "Label_Flags");
    lbl_StateFlags = value("lbl_StateFlags", 9, 1);
    Label_Errors = caption(QStringLiteral("флаги ошибок:"), 9, 2, "Label_Errors");
    lbl_StateErrors = value("lbl_StateErrors", 9, 3);

    caption(QStringLiteral("Отсчетов:"), 10, 0);
    lbl_StatSamples = value("lbl_StatSamples", 10, 1);

    // The columns are at least as wide as designed and as wide as their captions and their longest
    // values (a date and time, a flags word) in the panel's font.
    const QFontMetrics fm(m_font);
    const int widest[4] = {fm.horizontalAdvance(QStringLiteral("Последн сост.: ")),
                           fm.horizontalAdvance(QStringLiteral("00:00:00 00.00.0000 ")),
                           fm.horizontalAdvance(QStringLiteral("флаги ошибок: ")),
                           fm.horizontalAdvance(QStringLiteral("0x00000000 "))};
    int width = 0;
    for (int c = 0; c < 4; ++c) {
        const int w = std::max(kColumnWidths[c], widest[c]);
        m_grid->setColumnMinimumWidth(c, w);
        width += w;
    }
    const QMargins margins = m_grid->contentsMargins();
    setFixedWidth(width + 3 * m_grid->horizontalSpacing() + margins.left() + margins.right() + 2 * frameWidth() + 4);
}

QLabel* DetailPanel::caption(const QString& text, int row, int column, const char* name) {
    auto* label = new QLabel(text, this);
    label->setFont(m_font);
    if (name)
        label->setObjectName(QString::fromLatin1(name));
    label->setFixedHeight(kRowHeight);
    m_grid->addWidget(label, row, column);
    return label;
}

QLabel* DetailPanel::value(const char* name, int row, int column, int columnSpan) {
    auto* label = new QLabel(kPanelUnknown, this);
    label->setFont(m_font);
    label->setObjectName(QString::fromLatin1(name));
    label->setFixedHeight(kRowHeight);
    m_grid->addWidget(label, row, column, 1, columnSpan);
    m_values.append(label);
    return label;
}

void DetailPanel::fill(const link::StatusBlock& block, int driftUnknown) {
    showTexts(detailTexts(block, driftUnknown));
}

void DetailPanel::showTexts(const DetailTexts& t) {
    lbl_StatNo->setText(t.statNo);
    lbl_ChargeLvl->setText(t.chargeLevel);
    lbl_StatPressure->setText(t.pressure);
    lbl_StatTime->setText(t.stationTime);
    lbl_StatFreqErr->setText(t.clockDrift);
    lbl_StatSamples->setText(t.samples);
    lbl_StatFreeMem->setText(t.freeMemory);
    lbl_StatFiles->setText(t.files);
    lbl_Charge->setText(t.charging);
    lbl_Reg->setText(t.registration);
    lbl_Dwnl->setText(t.download);
    lbl_Test1->setText(t.test1);
    lbl_Test2->setText(t.test2);
    lbl_GenCor->setText(t.generator);
    if (t.generatorColour) {
        QPalette pal = lbl_GenCor->palette();
        pal.setColor(QPalette::WindowText, *t.generatorColour);
        lbl_GenCor->setPalette(pal);
    }
    lbl_GenCorrFreq->setText(t.generatorFrequency);
    lbl_GenCorrQuality->setText(t.generatorError);
    lbl_GenCorrTime->setText(t.generatorTime);
    lbl_LastState->setText(t.lastState);
    lbl_StateTime->setText(t.stateTime);
    lbl_StateFlags->setText(t.stateFlags);
    lbl_StateErrors->setText(t.stateErrors);
}

void DetailPanel::clearValues() {
    for (QLabel* label : m_values)
        label->setText(kPanelUnknown);
}

void DetailPanel::setDeveloperRowsVisible(bool visible) {
    for (QWidget* w : {static_cast<QWidget*>(Label_LastState), static_cast<QWidget*>(lbl_LastState),
                       static_cast<QWidget*>(lbl_StateTime), static_cast<QWidget*>(Label_Flags),
                       static_cast<QWidget*>(lbl_StateFlags), static_cast<QWidget*>(Label_Errors),
                       static_cast<QWidget*>(lbl_StateErrors)})
        w->setVisible(visible);
}

} // namespace kalver::work
