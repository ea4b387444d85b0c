#pragma once
// "Errors and Warnings": which simulation messages the user sees, kept as name/value rows of
// [MessageOptions] and pushed to the error-message module's filter after they are stored.

#include "preferences/options/ToolOptionPage.h"
#include "preferences/shared/MessageFilterPush.h"

class QComboBox;
class QListWidget;

class CToolOptionErrorAndWarning : public CToolOptionPage {
public:
    QString Title() const override { return QStringLiteral("Errors and Warnings"); }
    long HelpTopic() const override { return 40001; }

    bool LoadOptions() { return ReadMessageOptions(m_values, true); }
    bool WriteRows(CDaoDatabase& database);
    void PushFilter() const { PushMessageFilter(m_values); }
    bool OnApply() override;
    void OnSelectMessagesToHide(); // button 1656

    MessageOptionValues m_values;
    bool m_bChanged = false;

protected:
    void BuildControls(QWidget* page) override;
    void OnInitDialog() override;
    bool DoDataExchange(bool saveAndValidate) override;

private:
    QComboBox* combo() const;
    QListWidget* list() const;
    void EnableChoices();
    bool m_bInitialized = false;
};
