// The favourite-operation menus: the exact bytes written, what loading makes of foreign files
// (LF lines, a byte-order mark, code-page names, unknown ids, long names, long lists), the 126
// limit, switching menus, and saves that are not done: a cancelled file dialog, a failed write.

#include "FakeAppContext.h"
#include "ScriptedPrompts.h"
#include "foundation/common/FavoriteOperations.h"
#include "preferences/lists/CustomizeFavOperationDlg.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QSettings>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {
QByteArray FavBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteFav(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList Entries(const QListWidget* list)
{
    QStringList entries;
    for (int row = 0; row < list->count(); ++row)
        entries << list->item(row)->text() + "=" + list->item(row)->data(Qt::UserRole).toString();
    return entries;
}

void SelectAvailable(CCustomizeFavOperationDlg& dialog, const QStringList& names)
{
    dialog.availableList()->clearSelection();
    for (const QString& name : names)
        dialog.availableList()->findItems(name, Qt::MatchExactly).value(0)->setSelected(true);
}

// Writes beyond a few bytes fail for this process while it lives.
class FileSizeLimit {
public:
    FileSizeLimit()
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_old;
        small.rlim_cur = 8;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_old{};
    void (*m_handler)(int) = nullptr;
};
} // namespace

class CustomizeFavOperationTest : public ::testing::Test {
protected:
    QString menuPath(int menu) { return m_app.profile()->value(QString("Favorite Operations %1/Path").arg(menu)).toString(); }
    void setMenuPath(int menu, const QString& path)
    {
        m_app.profile()->setValue(QString("Favorite Operations %1/Path").arg(menu), path);
    }

    FakeAppContext m_app;
    ScriptedPromptService m_prompts;
    ScriptedFileDialogService m_files;
};

TEST_F(CustomizeFavOperationTest, SavesUtf8CrLfWithoutAFinalLineEnd)
{
    const QString path = m_app.root() + "menus/one.fop";
    const std::pair<QString, QByteArray> cases[] = {
        {"Reactor", "Reactor\r\n4\r\n26\r\n4"},
        {"K\u00fchlen", "K\xc3\xbchlen"}, // no operations: the name alone
    };
    CCustomizeFavOperationDlg dialog;
    m_files.expect(path);
    for (const auto& [name, bytes] : cases) {
        dialog.nameEdit()->setText(name);
        if (name == "Reactor") {
            SelectAvailable(dialog, {"Charge", "Heat"});
            dialog.OnAdd();
            SelectAvailable(dialog, {"Charge"});
            dialog.OnAdd(); // the same operation twice
        } else {
            dialog.favoriteList()->clear();
        }
        QDir().mkpath(m_app.root() + "menus");
        EXPECT_TRUE(dialog.SaveFavoriteFile());
        EXPECT_EQ(FavBytes(path), bytes);
        EXPECT_EQ(menuPath(1), path);
        EXPECT_EQ(GetFavoriteOperationsName(3, 0), name) << "the recipe view's kept name follows";
        EXPECT_FALSE(dialog.isChanged());
    }
    EXPECT_EQ(m_files.requests().value(0).title, "Save (or Save As) Favorite Operation Dialog File");
    EXPECT_EQ(m_files.requests().value(0).filter, "Favorite Operations (*.fop);;All Files (*)");
}

TEST_F(CustomizeFavOperationTest, LoadsForeignFilesAndSkipsUnknownOperations)
{
    const QString path = m_app.root() + "menu.fop";
    QByteArray many = "Long";
    for (int i = 0; i < 130; ++i)
        many += "\n26";
    const std::tuple<QByteArray, QString, int, QString> cases[] = {
        {"\xEF\xBB\xBFHeat up\n26\n999\n25\n", "Heat up", 2, "Heat=26"},
        {"K\xfchlen\r\n25", "K\u00fchlen", 1, "Cool=25"},
        {QByteArray(120, 'n') + "\r\n4", QString(98, 'n'), 1, "Charge=4"},
        {many, "Long", CCustomizeFavOperationDlg::MAX_FAVORITES, "Heat=26"},
    };
    setMenuPath(2, path);
    for (const auto& [bytes, name, count, first] : cases) {
        WriteFav(path, bytes);
        CCustomizeFavOperationDlg dialog;
        dialog.OnMenu(2);
        EXPECT_EQ(dialog.nameEdit()->text(), name);
        EXPECT_EQ(dialog.favoriteList()->count(), count);
        EXPECT_EQ(Entries(dialog.favoriteList()).value(0), first);
        EXPECT_EQ(dialog.pathList()->item(0)->text(), path);
    }
    setMenuPath(3, m_app.root() + "gone.fop"); // unreadable: an empty menu without a path, no message
    CCustomizeFavOperationDlg dialog;
    dialog.OnMenu(3);
    EXPECT_EQ(dialog.favoriteList()->count(), 0);
    EXPECT_EQ(dialog.filePath(), "");
}

// Add and Insert stop at 126 with a beep; Insert goes before the selected entry, in list order.
TEST_F(CustomizeFavOperationTest, TheMenuHoldsAtMost126Operations)
{
    CCustomizeFavOperationDlg dialog;
    SelectAvailable(dialog, {"Heat"});
    for (int i = 0; i < 124; ++i)
        dialog.OnAdd();
    dialog.favoriteList()->setCurrentRow(1);
    SelectAvailable(dialog, {"Age", "Charge", "Cool"});
    dialog.OnInsert();
    EXPECT_EQ(dialog.favoriteList()->count(), 126);
    EXPECT_EQ(Entries(dialog.favoriteList()).mid(0, 4), QStringList({"Heat=26", "Age=1", "Charge=4", "Heat=26"}));
    dialog.OnAdd();
    EXPECT_EQ(dialog.favoriteList()->count(), 126);
    dialog.favoriteList()->setCurrentRow(125);
    dialog.OnRemove();
    EXPECT_EQ(dialog.favoriteList()->currentRow(), 124);
    EXPECT_TRUE(dialog.isChanged());
}

// A dragged order counts as a change; an edited name too: switching asks.
TEST_F(CustomizeFavOperationTest, SwitchingMenusAsksForUnsavedChanges)
{
    const QString path = m_app.root() + "one.fop";
    WriteFav(path, "One\r\n4\r\n26");
    setMenuPath(1, path);
    CCustomizeFavOperationDlg dialog;
    QListWidget* list = dialog.favoriteList();
    list->model()->moveRow(QModelIndex(), 1, QModelIndex(), 0);
    EXPECT_TRUE(dialog.isChanged());
    m_prompts.expect(IDYES);
    dialog.OnMenu(2);
    EXPECT_EQ(FavBytes(path), "One\r\n26\r\n4");
    EXPECT_EQ(dialog.currentMenu(), 2);
    dialog.nameEdit()->setText("Two");
    m_prompts.expect(IDNO);
    dialog.OnMenu(1);
    EXPECT_EQ(m_prompts.texts(), QStringList({"Do you want to save data ?", "Do you want to save data ?"}));
    EXPECT_EQ(dialog.nameEdit()->text(), "One");
    EXPECT_EQ(menuPath(2), "");
}

// A cancelled save-file dialog and a failed write are saves not done: the dialog stays, the menu
// stays, the profile and the old file are unchanged.
TEST_F(CustomizeFavOperationTest, ASaveNotDoneKeepsTheDialogTheProfileAndTheOldFile)
{
    CCustomizeFavOperationDlg dialog;
    dialog.nameEdit()->setText("New");
    m_files.expect(QString());
    dialog.OnOK();
    EXPECT_EQ(dialog.result(), 0);
    m_files.expect(QString());
    m_prompts.expect(IDYES);
    dialog.OnMenu(3);
    EXPECT_EQ(dialog.currentMenu(), 1);
    EXPECT_EQ(menuPath(1), "");

    const QString old = m_app.root() + "old.fop";
    WriteFav(old, "Old");
    setMenuPath(1, old);
    CCustomizeFavOperationDlg editing;
    SelectAvailable(editing, {"Heat", "Cool", "Charge"});
    editing.OnAdd();
    m_prompts.expect(IDOK);
    {
        FileSizeLimit limit;
        EXPECT_FALSE(editing.SaveFavoriteFile());
    }
    EXPECT_EQ(m_prompts.lastText(), "Can not save a configuration file - " + old);
    EXPECT_EQ(FavBytes(old), "Old");
    const QString missingFolder = m_app.root() + "no/such/folder/new.fop";
    CCustomizeFavOperationDlg other;
    other.OnMenu(2);
    other.nameEdit()->setText("Other");
    m_files.expect(missingFolder);
    m_prompts.expect(IDOK);
    other.OnSave();
    EXPECT_EQ(m_prompts.lastText(), "Can not save a configuration file - " + missingFolder);
    EXPECT_EQ(menuPath(1), old);
    EXPECT_EQ(menuPath(2), "");
    EXPECT_EQ(FavBytes(old), "Old");
}

TEST_F(CustomizeFavOperationTest, BrowseTakesAReadableFileOnly)
{
    WriteFav(m_app.root() + "picked.fop", "Picked\r\n25");
    CCustomizeFavOperationDlg dialog;
    m_files.expect(m_app.root() + "gone.fop");
    m_prompts.expect(IDOK);
    dialog.OnBrowse();
    EXPECT_EQ(m_prompts.lastText(), "Can not find a configuration file - " + m_app.root() + "gone.fop");
    EXPECT_EQ(dialog.filePath(), "");
    m_files.expect(m_app.root() + "picked.fop");
    dialog.OnBrowse();
    EXPECT_EQ(dialog.nameEdit()->text(), "Picked");
    EXPECT_EQ(Entries(dialog.favoriteList()), QStringList{"Cool=25"});
    EXPECT_TRUE(dialog.isChanged());
    EXPECT_EQ(menuPath(1), "") << "the profile takes the file when the menu is saved";
    EXPECT_EQ(m_files.requests().value(1).title, "Choose Favorite Operation File");
}
