#pragma once
// The settings window: its controls are the settings that every other window reads (through
// config/SettingsAccess.h). Created once at start, where it loads "settings.ini", opens the journal and
// makes sure the charge-curve folder exists; afterwards shown modally. Closing it with changes runs the
// checks of config/SettingsChecks.h, then asks whether to save.

#include "config/SettingsFile.h"

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QSpinBox;
class QTabWidget;
class QTableWidget;
class QToolButton;
class QWidget;

namespace kalver {

class TForm_Settings : public QDialog {
    Q_OBJECT
public:
    // Asked to end the program when the journal cannot be opened (e000) or the charge-curve folder cannot
    // be created (e039) during creation.
    using EndProgramHook = std::function<void()>;
    // Chooses a folder; an empty text means the operator cancelled.
    using FolderChooser = std::function<QString(QWidget* parent)>;

    explicit TForm_Settings(QWidget* parent = nullptr, EndProgramHook endProgram = {});

    // Fills every control from "settings.ini" or, when it is missing (e009) or cannot be read (e008),
    // from the defaults; the server time-out is 30 afterwards.
    void loadSettings();
    // Writes "settings.ini" from the controls; on failure e010 and its journal entry, false.
    bool saveSettings();

    // The values of the controls, in the file's order.
    settings::SettingsValues currentValues() const;

    // The settings file: the program's folder followed by "settings.ini", fixed at creation.
    QString settingsFilePath() const { return m_settingsFilePath; }
    bool changed() const { return m_changed; }
    // True when creation failed and the program was asked to end.
    bool startupFailed() const { return m_startupFailed; }

    // Fixed tile sizes, re-applied on every load and every close.
    int tileWidth() const { return m_tileWidth; }
    int tileHeight() const { return m_tileHeight; }
    int mnemoTileWidth() const { return m_mnemoTileWidth; }
    int mnemoTileHeight() const { return m_mnemoTileHeight; }

    // Replaces the platform's folder chooser (tests); an empty function restores it.
    static void setFolderChooser(FolderChooser chooser);

    // The controls, named as the other windows name them.
    QTabWidget* pc_Settings = nullptr;
    QWidget* ts_Common = nullptr;
    QWidget* ts_Network = nullptr;
    QSpinBox* se_Servers = nullptr;
    QSpinBox* se_Stations = nullptr;
    QSpinBox* se_StationsInRackHoriz = nullptr;
    QSpinBox* se_StationsInRackVert = nullptr;
    QSpinBox* se_MaxStationNum = nullptr;
    QSpinBox* se_QueryInterval = nullptr;
    QSpinBox* se_ServerTimeOut = nullptr;
    QLineEdit* Le_UserActionsPath = nullptr;
    QToolButton* sb_UserActionsPath = nullptr;
    QLineEdit* Le_ChargePath = nullptr;
    QToolButton* sb_ChargePath = nullptr;
    QTableWidget* sg_NetworkSettings = nullptr;

public slots:
    // Closing (close button, Esc): the checks, the save question, then the window closes or stays.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void openJournalAndChargeFolder();
    void applyValues(const settings::SettingsValues& values);
    settings::SettingsValues defaultsFromControls() const;
    void applyFixedTileSizes();
    void fitNetworkColumns();
    void setClusterCount(int clusters);
    void setCell(int row, int column, const QString& text);
    void chooseFolder(QLineEdit* edit);
    // Runs the closing steps; true when the window may close.
    bool closingSteps();
    void markChanged() { m_changed = true; }

    EndProgramHook m_endProgram;
    QString m_settingsFilePath;
    bool m_changed = false;
    bool m_startupFailed = false;
    int m_tileWidth = 0;
    int m_tileHeight = 0;
    int m_mnemoTileWidth = 0;
    int m_mnemoTileHeight = 0;
};

// The one instance, set by the program when it creates the window.
extern TForm_Settings* Form_Settings;

} // namespace kalver
