#pragma once
// A page of the New Project sheet listing the project templates (".qvt") of one folder, with a
// preview of the selected template's description and three view buttons.

#include "foundation/controls/QVPropertyPage.h"

#include <QDateTime>
#include <QString>

#include <functional>

class COpenTemplateDialog;
class QLabel;
class QLineEdit;
class QTreeWidget;
class QToolButton;

class CTemplatePage : public CQVPropertyPage {
    Q_OBJECT
public:
    enum ViewMode { Icons = 0, Details = 1, List = 3 };
    // chosenValue: the sheet's chosen-page value of this page; profileSection names the profile
    // entry of its folder; defaultFolder gives the folder when the profile has none.
    CTemplatePage(COpenTemplateDialog* sheet, int chosenValue, const QString& profileSection,
                  std::function<QString()> defaultFolder);

    void FillList();
    void SetViewMode(int mode);
    void OnSelectionChange();
    void OnDoubleClick();
    void OnBrowse();
    void OnSetActive() override;

    QTreeWidget* TemplateList() const { return m_list; }
    QLabel* Preview() const { return m_preview; }
    QLineEdit* FolderEdit() const { return m_folderEdit; }
    QToolButton* ViewButton(int mode) const;
    // The list's columns of row (name, size, type, modified).
    QStringList RowTexts(int row) const;

    static QString SizeText(qint64 bytes);
    static QString ModifiedText(const QDateTime& localTime);

    int m_nViewMode = List;
    QString m_strSelectedName;
    QString m_strFolder; // ends with "/"
    QString m_strDescription;

private:
    void BuildControls();
    void AddTemplateRow(const class QFileInfo& file);
    void ShowPreview();

    COpenTemplateDialog* m_sheet;
    int m_nChosenValue;
    QString m_strProfileSection;
    std::function<QString()> m_defaultFolder;
    QTreeWidget* m_list = nullptr;
    QLabel* m_preview = nullptr;
    QLineEdit* m_folderEdit = nullptr;
    QToolButton* m_viewButtons[3] = {};
};
