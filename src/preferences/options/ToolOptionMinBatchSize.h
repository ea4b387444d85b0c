#pragma once
// "Minimum Batch Size Calculation": which operation types take part in the calculation. Read when
// the tab is first shown; Reset (and Cancel) put the default checks back; a check stored unlike
// before sets the changed flag, which makes every step simulate again.

#include "preferences/options/ToolOptionPage.h"

#include <QList>

class QListWidget;

struct MinBatchSizeRow {
    long operationID = 0;
    QString typeName;
    bool stored = false; // as read
    bool check = false;  // as edited
    bool byDefault = false;
};

class CToolOptionMinBatchSize : public CToolOptionPage {
public:
    QString Title() const override { return QStringLiteral("Minimum Batch Size Calculation"); }
    long HelpTopic() const override { return 577; }

    bool WriteRows(CDaoDatabase& database);
    void OnReset() override;

    QList<MinBatchSizeRow> m_rows;
    bool m_bChanged = false;

protected:
    void BuildControls(QWidget* page) override;
    void OnInitDialog() override;
    bool DoDataExchange(bool saveAndValidate) override;

private:
    QListWidget* list() const;
};
