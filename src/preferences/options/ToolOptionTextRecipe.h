#pragma once
// "Text Recipe": which items the generated text recipe holds and which ranges and comments the
// text-recipe view shows, kept as name/value rows of [TextRecipeOptions].

#include "foundation/common/Array.h"
#include "preferences/options/ToolOptionPage.h"

#include <QMap>

class QListWidget;

class CToolOptionTextRecipe : public CToolOptionPage {
public:
    QString Title() const override { return QStringLiteral("Text Recipe"); }
    long HelpTopic() const override { return 441; }

    bool LoadOptions();
    bool WriteRows(CDaoDatabase& database);
    bool OnApply() override;

    bool Flag(const char* name) const { return m_flags.value(name); }
    bool m_bChanged = false;
    Array<long> m_rangeTypes, m_commentTypes;

protected:
    void BuildControls(QWidget* page) override;
    void OnInitDialog() override;
    bool DoDataExchange(bool saveAndValidate) override;

private:
    bool FillList(QListWidget* list, bool comments);
    void OnCheckClicked(int id);
    QListWidget* list(int id) const;

    QMap<QString, bool> m_flags;
    bool m_bInitialized = false;
};
