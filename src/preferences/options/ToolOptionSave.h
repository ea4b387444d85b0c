#pragma once
// "Auto Save": the interval of the frame's auto-save timer. Its save writes no row: it hands the
// interval to the frame (the timer starts again from zero) and to the profile read at start-up.

#include "preferences/options/ToolOptionPage.h"

class CUpDownControl;

constexpr int MAX_AUTO_SAVE_INTERVAL = 120;

class CToolOptionSave : public CToolOptionPage {
public:
    QString Title() const override { return QStringLiteral("Auto Save"); }
    long HelpTopic() const override { return 353; }

    bool LoadOptions();
    void SaveOptions();

    bool m_bAutoSave = false;
    unsigned m_minutes = 0;

protected:
    void BuildControls(QWidget* page) override;
    void OnInitDialog() override;
    bool DoDataExchange(bool saveAndValidate) override;

private:
    void SetFlag(bool on);
    void OnCheckClicked();
    CUpDownControl* m_upDown = nullptr;
};
