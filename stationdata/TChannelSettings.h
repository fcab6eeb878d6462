#pragma once
// One channel group of the operations page (`TChannelSettings`): a box "Канал №" + channel with the
// use box "Использовать", the mode list "Режим", the gain list "Kpga", the preamplifier box
// "Предусилитель" and the preamplifier gain list "Kpreamp". The box only shows a ChannelGroupState and
// reports the operator's changes; the rules that follow a change live in ChannelGroups.

#include "stationdata/ChannelGroups.h"

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QLabel;

namespace kalver::stationdata {

class TChannelSettings : public QGroupBox {
    Q_OBJECT
public:
    // Wide enough for the mode names in the desktop's font; the groups stand side by side.
    static constexpr int kWidth = 186;
    static constexpr int kHeight = 150;

    TChannelSettings(int channel, QWidget* parent = nullptr);

    int channel() const { return m_channel; }
    // Shows `state` without reporting changes.
    void showState(const ChannelGroupState& state);

    QCheckBox* cb_Use;
    QLabel* lbl_Mode;
    QComboBox* cb_Mode;
    QLabel* lbl_Gain;
    QComboBox* cb_Gain;
    QCheckBox* cb_Preamp;
    QLabel* lbl_PreampGain;
    QComboBox* cb_PreampGain;

signals:
    void useChanged(int channel, bool use);
    void modeChanged(int channel, int mode);
    void gainChanged(int channel, int gain);
    void preampOnChanged(int channel, bool on);
    void preampGainChanged(int channel, int preampGain);

private:
    int m_channel;
    bool m_showing = false;
};

} // namespace kalver::stationdata
