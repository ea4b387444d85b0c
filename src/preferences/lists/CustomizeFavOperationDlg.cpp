#include "preferences/lists/CustomizeFavOperationDlg.h"

#include "foundation/common/FavoriteOperations.h"
#include "foundation/common/FileDialogService.h"
#include "foundation/common/HelpService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/OperationCommands.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QVBoxLayout>

namespace {
constexpr long FAVORITES_HELP_TOPIC = 878;
const char* const SAVE_FILTER = "Favorite Operations (*.fop)|*.fop|All Files (*.*)|*.*||";
const char* const OPEN_FILTER = "Favorite Operation Dialog (*.fop)|*.fop|All Files (*.*)|*.*||";

QString FavoriteProfileKey(int menu)
{
    return QStringLiteral("Favorite Operations %1/Path").arg(menu);
}

QPushButton* FavoriteButton(const QString& text, int id)
{
    auto* button = new QPushButton(text);
    button->setObjectName(QString::number(id));
    return button;
}

QListWidgetItem* OperationItem(const QString& name, long id)
{
    auto* item = new QListWidgetItem(name);
    item->setData(Qt::UserRole, qlonglong(id));
    return item;
}
} // namespace

CCustomizeFavOperationDlg::CCustomizeFavOperationDlg(QWidget* parent) : QDialog(parent)
{
    WaitCursor wait;
    setObjectName(QStringLiteral("9995"));
    setWindowTitle(QStringLiteral("Customize Favorite Operations"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildMenuChoice());
    layout->addWidget(BuildLists());
    layout->addWidget(BuildButtons());
    FillAvailableOperations();
    LoadFavoriteFile();
    CheckMenuRadio(1);
}

QWidget* CCustomizeFavOperationDlg::BuildMenuChoice()
{
    auto* frame = new QGroupBox(QStringLiteral(" Please select your favorite operations "));
    auto* layout = new QVBoxLayout(frame);
    auto* radios = new QHBoxLayout;
    m_menus = new QButtonGroup(this);
    for (int menu = 1; menu <= 3; ++menu) {
        auto* radio = new QRadioButton(QStringLiteral(" Favorite operations #%1 ").arg(menu));
        radio->setObjectName(QString::number(1001 + menu));
        m_menus->addButton(radio, menu);
        radios->addWidget(radio);
    }
    connect(m_menus, &QButtonGroup::idClicked, this, &CCustomizeFavOperationDlg::OnMenu);
    layout->addLayout(radios);
    auto* name = new QHBoxLayout;
    m_nameEdit = new QLineEdit;
    m_nameEdit->setObjectName(QStringLiteral("1627"));
    name->addWidget(new QLabel(QStringLiteral("Menu Name :")));
    name->addWidget(m_nameEdit);
    layout->addLayout(name);
    auto* file = new QHBoxLayout;
    m_pathList = new QListWidget;
    m_pathList->setObjectName(QStringLiteral("1449"));
    m_pathList->setFixedHeight(m_pathList->fontMetrics().height() * 2 + 8);
    m_pathList->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QPushButton* browse = FavoriteButton(QStringLiteral("..."), 1628);
    connect(browse, &QPushButton::clicked, this, &CCustomizeFavOperationDlg::OnBrowse);
    file->addWidget(new QLabel(QStringLiteral("Configuration File :")));
    file->addWidget(m_pathList, 1);
    file->addWidget(browse);
    layout->addLayout(file);
    return frame;
}

QWidget* CCustomizeFavOperationDlg::BuildLists()
{
    auto* lists = new QWidget;
    auto* layout = new QHBoxLayout(lists);
    m_available = new QListWidget;
    m_available->setObjectName(QStringLiteral("1440"));
    m_available->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_favorites = new QListWidget;
    m_favorites->setObjectName(QStringLiteral("1441"));
    m_favorites->setDragDropMode(QAbstractItemView::InternalMove);
    connect(m_favorites->model(), &QAbstractItemModel::rowsMoved, this, [this] { m_bChanged = true; });
    auto* buttons = new QVBoxLayout;
    const std::pair<const char*, int> moves[] = {{"Add -->", 1442}, {"Insert -->", 1445}, {"<-- Remove ", 1443}};
    void (CCustomizeFavOperationDlg::*handlers[])() = {&CCustomizeFavOperationDlg::OnAdd,
                                                      &CCustomizeFavOperationDlg::OnInsert,
                                                      &CCustomizeFavOperationDlg::OnRemove};
    buttons->addStretch();
    for (int i = 0; i < 3; ++i) {
        QPushButton* button = FavoriteButton(QString::fromLatin1(moves[i].first), moves[i].second);
        connect(button, &QPushButton::clicked, this, handlers[i]);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Available operations.")));
    left->addWidget(m_available);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("Favorite Operations")));
    right->addWidget(m_favorites);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    layout->addLayout(right, 1);
    return lists;
}

QWidget* CCustomizeFavOperationDlg::BuildButtons()
{
    auto* box = new QDialogButtonBox;
    QPushButton* save = FavoriteButton(QStringLiteral("Save"), 1148);
    box->addButton(save, QDialogButtonBox::ActionRole);
    QPushButton* ok = box->addButton(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("1"));
    box->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
    box->addButton(QDialogButtonBox::Help)->setObjectName(QStringLiteral("9"));
    connect(save, &QPushButton::clicked, this, &CCustomizeFavOperationDlg::OnSave);
    connect(ok, &QPushButton::clicked, this, &CCustomizeFavOperationDlg::OnOK);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(box, &QDialogButtonBox::helpRequested, this, &CCustomizeFavOperationDlg::OnCommandHelp);
    return box;
}

// Every operation type of the catalogue once, sorted culture-aware by the frame where it can.
void CCustomizeFavOperationDlg::FillAvailableOperations()
{
    QList<long> listed;
    for (const OperationCommand& command : OperationCommands()) {
        if (listed.contains(command.operationTypeID))
            continue;
        listed << command.operationTypeID;
        m_available->addItem(OperationItem(QString::fromUtf8(command.operationTypeName), command.operationTypeID));
    }
    m_available->sortItems();
    if (SortServices* sort = GetSortServices())
        sort->SortListBoxItems(m_available);
}

void CCustomizeFavOperationDlg::LoadFavoriteFile()
{
    WaitCursor wait;
    QSettings* profile = GetAppContext() ? GetAppContext()->profile() : nullptr;
    m_strFilePath = profile ? profile->value(FavoriteProfileKey(m_nMenu)).toString() : QString();
    std::optional<FavoriteOperationsFile> file;
    if (!m_strFilePath.isEmpty() && !(file = ReadFavoriteOperationsFile(m_strFilePath)))
        m_strFilePath.clear();
    ShowFavorites(file.value_or(FavoriteOperationsFile{}));
}

// The file's name and its known operations, at most 126 of them; the path shown.
void CCustomizeFavOperationDlg::ShowFavorites(const FavoriteOperationsFile& file)
{
    m_favorites->clear();
    for (const long id : file.operationTypeIDs) {
        const OperationCommand* command = FindOperationCommandForType(id);
        if (command && m_favorites->count() < MAX_FAVORITES)
            m_favorites->addItem(OperationItem(QString::fromUtf8(command->operationTypeName), id));
    }
    m_nameEdit->setText(file.name);
    m_strLoadedName = file.name;
    ShowFilePath();
}

void CCustomizeFavOperationDlg::ClearFavoriteLists()
{
    m_bChanged = false;
    m_nameEdit->clear();
    m_strLoadedName.clear();
    m_pathList->clear();
    m_favorites->clear();
}

void CCustomizeFavOperationDlg::ShowFilePath()
{
    m_pathList->clear();
    m_pathList->addItem(m_strFilePath);
    m_pathList->setMinimumWidth(0);
}

QList<long> CCustomizeFavOperationDlg::FavoriteIDs() const
{
    QList<long> ids;
    for (int row = 0; row < m_favorites->count() && row < MAX_FAVORITES; ++row)
        ids << long(m_favorites->item(row)->data(Qt::UserRole).toLongLong());
    return ids;
}

// The file is written whole before the profile names it; a cancelled file dialog is no save.
bool CCustomizeFavOperationDlg::SaveFavoriteFile()
{
    WaitCursor wait;
    const QString name = m_nameEdit->text();
    if (name.isEmpty()) {
        QvMessageBox(QStringLiteral("Please specify the menu name !"));
        m_nameEdit->setFocus();
        return false;
    }
    QString path = m_strFilePath;
    if (path.isEmpty() && !ChooseSavePath(path))
        return false;
    if (!WriteFavoriteOperationsFile(path, FavoriteOperationsFile{name, FavoriteIDs()})) {
        QvMessageBox(QStringLiteral("Can not save a configuration file - ") + path);
        return false;
    }
    AfterSave(path);
    return true;
}

bool CCustomizeFavOperationDlg::ChooseSavePath(QString& path)
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Save;
    request.title = QStringLiteral("Save (or Save As) Favorite Operation Dialog File");
    request.filter = TranslateFileFilter(QString::fromLatin1(SAVE_FILTER));
    request.defaultExtension = QStringLiteral("fop");
    path = ChooseFile(request);
    return !path.isEmpty();
}

void CCustomizeFavOperationDlg::AfterSave(const QString& path)
{
    m_strFilePath = path;
    if (QSettings* profile = GetAppContext() ? GetAppContext()->profile() : nullptr) {
        profile->setValue(FavoriteProfileKey(m_nMenu), path);
        profile->sync();
    }
    ShowFilePath();
    GetFavoriteOperationsName(1, m_nMenu - 1);
    m_bChanged = false;
    m_strLoadedName = m_nameEdit->text();
}

QList<QListWidgetItem*> CCustomizeFavOperationDlg::SelectedOperationsThatFit()
{
    QList<QListWidgetItem*> copies;
    const int room = MAX_FAVORITES - m_favorites->count();
    for (int row = 0; row < m_available->count(); ++row) {
        const QListWidgetItem* item = m_available->item(row);
        if (!item->isSelected())
            continue;
        if (copies.size() == room) {
            QApplication::beep(); // the menu is full: the rest are left out
            break;
        }
        copies << item->clone();
    }
    return copies;
}

void CCustomizeFavOperationDlg::OnAdd()
{
    if (m_available->selectedItems().isEmpty()) {
        QApplication::beep();
        return;
    }
    const QList<QListWidgetItem*> copies = SelectedOperationsThatFit();
    for (QListWidgetItem* item : copies)
        m_favorites->addItem(item);
    m_bChanged = m_bChanged || !copies.isEmpty();
}

void CCustomizeFavOperationDlg::OnInsert()
{
    int row = m_favorites->currentRow();
    if (row < 0 || !m_favorites->currentItem()->isSelected()) {
        QApplication::beep();
        return;
    }
    const QList<QListWidgetItem*> copies = SelectedOperationsThatFit();
    for (QListWidgetItem* item : copies)
        m_favorites->insertItem(row++, item);
    m_bChanged = m_bChanged || !copies.isEmpty();
}

void CCustomizeFavOperationDlg::OnRemove()
{
    const int row = m_favorites->currentRow();
    if (row < 0 || !m_favorites->currentItem()->isSelected()) {
        QApplication::beep();
        return;
    }
    delete m_favorites->takeItem(row);
    if (m_favorites->count() > 0)
        m_favorites->setCurrentRow(qMin(row, m_favorites->count() - 1));
    m_bChanged = true;
}

void CCustomizeFavOperationDlg::OnBrowse()
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Open;
    request.title = QStringLiteral("Choose Favorite Operation File");
    request.initialPath = m_strFilePath;
    request.filter = TranslateFileFilter(QString::fromLatin1(OPEN_FILTER));
    request.defaultExtension = QStringLiteral("fop");
    const QString chosen = ChooseFile(request);
    if (chosen.isEmpty())
        return;
    const std::optional<FavoriteOperationsFile> file = ReadFavoriteOperationsFile(chosen);
    if (!file) {
        QvMessageBox(QStringLiteral("Can not find a configuration file - ") + chosen);
        return;
    }
    m_strFilePath = chosen;
    ShowFavorites(*file);
    m_bChanged = true;
}

void CCustomizeFavOperationDlg::OnMenu(int menu)
{
    if (menu == m_nMenu)
        return;
    if (!m_bChanged && m_nameEdit->text() != m_strLoadedName)
        m_bChanged = true;
    if (m_bChanged && QvMessageBox(QStringLiteral("Do you want to save data ?"), MB_YESNO) == IDYES &&
        !SaveFavoriteFile()) {
        CheckMenuRadio(m_nMenu);
        return;
    }
    m_nMenu = menu;
    CheckMenuRadio(menu);
    ClearFavoriteLists();
    LoadFavoriteFile();
}

void CCustomizeFavOperationDlg::CheckMenuRadio(int menu)
{
    m_menus->button(menu)->setChecked(true);
}

void CCustomizeFavOperationDlg::OnOK()
{
    if (SaveFavoriteFile())
        accept();
}

void CCustomizeFavOperationDlg::OnCommandHelp()
{
    DisplayHelp(GetHelpFileName(), FAVORITES_HELP_TOPIC);
}
