#include "stationdata/TChannelSettings.h"

#include "config/TextTables.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

namespace kalver::stationdata {

namespace {

QComboBox* list(QWidget* parent, const QString& name, const QStringList& items) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(items);
    return box;
}

QLabel* label(QWidget* parent, const QString& name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

} // namespace

TChannelSettings::TChannelSettings(int channel, QWidget* parent)
    : QGroupBox(QStringLiteral("Канал №") + QString::number(channel), parent), m_channel(channel) {
    setObjectName(QStringLiteral("ChannelSettings_%1").arg(channel));
    setFixedSize(kWidth, kHeight);

    cb_Use = new QCheckBox(QStringLiteral("Использовать"), this);
    cb_Use->setObjectName(QStringLiteral("cb_Use"));
    lbl_Mode = label(this, QStringLiteral("lbl_Mode"), QStringLiteral("Режим"));
    cb_Mode = list(this, QStringLiteral("cb_Mode"), kalver::texts::testModes());
    lbl_Gain = label(this, QStringLiteral("lbl_Gain"), QStringLiteral("Kpga"));
    QStringList gains;
    for (int k = 0; k < kGainSteps; ++k)
        gains.append(QString::number(1 << k));
    cb_Gain = list(this, QStringLiteral("cb_Gain"), gains);
    cb_Preamp = new QCheckBox(QStringLiteral("Предусилитель"), this);
    cb_Preamp->setObjectName(QStringLiteral("cb_Preamp"));
    lbl_PreampGain = label(this, QStringLiteral("lbl_PreampGain"), QStringLiteral("Kpreamp"));
    cb_PreampGain = list(this, QStringLiteral("cb_PreampGain"), QStringList(kGainSteps, QString()));

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 2, 4, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    grid->addWidget(cb_Use, 0, 0, 1, 2);
    grid->addWidget(lbl_Mode, 1, 0);
    grid->addWidget(cb_Mode, 1, 1);
    grid->addWidget(lbl_Gain, 2, 0);
    grid->addWidget(cb_Gain, 2, 1);
    grid->addWidget(cb_Preamp, 3, 0, 1, 2);
    grid->addWidget(lbl_PreampGain, 4, 0);
    grid->addWidget(cb_PreampGain, 4, 1);
    grid->setColumnStretch(1, 1);

    connect(cb_Use, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_showing)
            emit useChanged(m_channel, on);
    });
    connect(cb_Mode, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!m_showing)
            emit modeChanged(m_channel, i);
    });
    connect(cb_Gain, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!m_showing)
            emit gainChanged(m_channel, i);
    });
    connect(cb_Preamp, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_showing)
            emit preampOnChanged(m_channel, on);
    });
    connect(cb_PreampGain, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!m_showing)
            emit preampGainChanged(m_channel, i);
    });
}

void TChannelSettings::showState(const ChannelGroupState& s) {
    m_showing = true;
    cb_Use->setChecked(s.use);
    cb_Use->setEnabled(s.useEnabled());
    lbl_Mode->setEnabled(s.modeEnabled());
    cb_Mode->setEnabled(s.modeEnabled());
    cb_Mode->setCurrentIndex(s.mode);
    lbl_Gain->setEnabled(s.gainEnabled());
    cb_Gain->setEnabled(s.gainEnabled());
    cb_Gain->setCurrentIndex(s.gain);
    cb_Preamp->setChecked(s.preampOn);
    cb_Preamp->setEnabled(s.preampBoxEnabled());
    for (int k = 0; k < kGainSteps; ++k)
        cb_PreampGain->setItemText(k, s.offered[static_cast<std::size_t>(k)] ? QString::number(1 << k) : QString());
    cb_PreampGain->setCurrentIndex(s.preampGain);
    lbl_PreampGain->setEnabled(s.preampGainEnabled());
    cb_PreampGain->setEnabled(s.preampGainEnabled());
    m_showing = false;
}

} // namespace kalver::stationdata
