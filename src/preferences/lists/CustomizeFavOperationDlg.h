#pragma once
// "Customize Favorite Operations" (dialog 9995): edits the three favourite-operation menus the
// recipe view offers. Each menu is a ".fop" file named in the profile; the file is written first,
// then the profile, and a failed write leaves both as they were. The menu list holds at most 126
// operations; reordering by drag counts as a change.

#include <QDialog>

class QButtonGroup;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
struct FavoriteOperationsFile;

class CCustomizeFavOperationDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int MAX_FAVORITES = 126;

    explicit CCustomizeFavOperationDlg(QWidget* parent = nullptr);

    void OnAdd();
    void OnInsert();
    void OnRemove();
    void OnBrowse();
    void OnMenu(int menu);
    void OnSave() { SaveFavoriteFile(); }
    void OnOK();
    void OnCommandHelp();
    bool SaveFavoriteFile();

    int currentMenu() const { return m_nMenu; }
    bool isChanged() const { return m_bChanged; }
    QString filePath() const { return m_strFilePath; }
    QLineEdit* nameEdit() const { return m_nameEdit; }
    QListWidget* availableList() const { return m_available; }
    QListWidget* favoriteList() const { return m_favorites; }
    QListWidget* pathList() const { return m_pathList; }

private:
    QWidget* BuildMenuChoice();
    QWidget* BuildLists();
    QWidget* BuildButtons();
    void FillAvailableOperations();
    void LoadFavoriteFile();
    void ShowFavorites(const FavoriteOperationsFile& file);
    void ClearFavoriteLists();
    void ShowFilePath();
    QList<long> FavoriteIDs() const;
    bool ChooseSavePath(QString& path);
    void AfterSave(const QString& path);
    // Copies of the selected operations, at most as many as the menu has room for.
    QList<QListWidgetItem*> SelectedOperationsThatFit();
    void CheckMenuRadio(int menu);

    QLineEdit* m_nameEdit = nullptr;
    QListWidget* m_pathList = nullptr;
    QListWidget* m_available = nullptr;
    QListWidget* m_favorites = nullptr;
    QButtonGroup* m_menus = nullptr;
    QString m_strLoadedName;
    QString m_strFilePath;
    int m_nMenu = 1;
    bool m_bChanged = false;
};
