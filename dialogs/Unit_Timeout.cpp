#include "dialogs/Unit_Timeout.h"

#include "config/SettingsAccess.h"
#include "core/ProgramValues.h"
#include "link/ClusterList.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace kalver {

TForm_Timeout* Form_Timeout = nullptr;

namespace {
constexpr int kBalloonTimeoutMs = 10000;
constexpr int kClientWidth = 369;
constexpr int kClientHeight = 67;
}

TForm_Timeout::TForm_Timeout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("Form_Timeout"));
    setWindowTitle(QStringLiteral("Ожидается подтверждение"));
    setModal(false);
    setFont(QFont(QStringLiteral("Tahoma"), 10));

    lbl_Timeout = new QLabel(this);
    lbl_Timeout->setObjectName(QStringLiteral("lbl_Timeout"));
    lbl_Timeout->setText(QStringLiteral("Таймаут на выполение запрошенной операции ") +
                         QString::number(settings::serverTimeOutSeconds()) + QStringLiteral(" секунд"));

    b_TimeoutStop = new QPushButton(QStringLiteral("Прервать ожидание"), this);
    b_TimeoutStop->setObjectName(QStringLiteral("b_TimeoutStop"));
    connect(b_TimeoutStop, &QPushButton::clicked, this, &TForm_Timeout::b_TimeoutStopClick);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbl_Timeout, 0, Qt::AlignHCenter);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(b_TimeoutStop);
    buttons->addStretch();
    layout->addLayout(buttons);
    // The client area is 369 x 67 where the label and the button fit in it; where they do not (the
    // font the desktop has in place of Tahoma, the style's margins, a long time-out) the dialog takes
    // the size its layout needs, so the label is never cut off. Polished first, so that the style
    // sheet's fonts and margins count.
    ensurePolished();
    setFixedSize(sizeHint().expandedTo(QSize(kClientWidth, kClientHeight)));
}

QString TForm_Timeout::abortText() {
    return QStringLiteral("Ожидание подтверждения прервано по запросу Оператора!");
}

void TForm_Timeout::showForWait() {
    m_abort = false;
    m_waiting = true;
    if (QWidget* main = QApplication::activeWindow(); main && main != this)
        move(main->frameGeometry().center() - rect().center());
    show();
    raise();
    emit shownForWait();
}

void TForm_Timeout::closeAfterWait() {
    m_waiting = false;
    hide();
}

void TForm_Timeout::reject() {
    if (!m_waiting) {
        QDialog::reject();
        return;
    }
    if (!m_abort)
        b_TimeoutStopClick();
}

void TForm_Timeout::b_TimeoutStopClick() {
    m_abort = true;
    const QString text = abortText();
    link::clusters().observer().logLine(text, true, Qt::black);
    const QString title = program().applicationTitle;
    emit balloonRequested(title, text, title + QLatin1Char('\n') + text, kBalloonTimeoutMs);
}

} // namespace kalver
