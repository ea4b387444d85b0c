#include "projects/TemplatePage.h"

#include "foundation/common/PathHelpers.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/controls/MyBrowseForFolder.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/project/ProjectSet.h"
#include "projects/OpenTemplateDialog.h"
#include "projects/ProjectFolderChecks.h"
#include "projects/ProjectTree.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const QString NO_SELECTION = QStringLiteral("Select an icon to see a preview.");
const int VIEW_MODES[3] = {CTemplatePage::Icons, CTemplatePage::List, CTemplatePage::Details};
const char* const VIEW_NAMES[3] = {"Icons", "List", "Details"};

int ViewIndex(int mode)
{
    return mode == CTemplatePage::Icons ? 0 : mode == CTemplatePage::Details ? 2 : 1;
}
} // namespace

CTemplatePage::CTemplatePage(COpenTemplateDialog* sheet, int chosenValue, const QString& profileSection,
                             std::function<QString()> defaultFolder)
    : m_sheet(sheet), m_nChosenValue(chosenValue), m_strProfileSection(profileSection),
      m_defaultFolder(std::move(defaultFolder))
{
    BuildControls();
    FillList();
}

void CTemplatePage::BuildControls()
{
    auto* layout = new QVBoxLayout(this);
    auto* toolbar = new QHBoxLayout;
    for (int k = 0; k < 3; ++k) {
        m_viewButtons[k] = new QToolButton(this);
        m_viewButtons[k]->setText(QString::fromLatin1(VIEW_NAMES[k]));
        m_viewButtons[k]->setToolTip(QString::fromLatin1(VIEW_NAMES[k]));
        m_viewButtons[k]->setCheckable(true);
        connect(m_viewButtons[k], &QToolButton::clicked, this, [this, k] { SetViewMode(VIEW_MODES[k]); });
        toolbar->addWidget(m_viewButtons[k]);
    }
    m_viewButtons[1]->setChecked(true);
    toolbar->addStretch();
    layout->addLayout(toolbar);
    m_list = new QTreeWidget(this);
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({"Template", "Size", "Type", "Modified"});
    layout->addWidget(m_list);
    auto* group = new QGroupBox(QStringLiteral("Preview"), this);
    m_preview = new QLabel(NO_SELECTION, group);
    m_preview->setWordWrap(true);
    (new QVBoxLayout(group))->addWidget(m_preview);
    layout->addWidget(group);
    auto* folderRow = new QHBoxLayout;
    m_folderEdit = new QLineEdit(this);
    m_folderEdit->setReadOnly(true);
    auto* browse = new QPushButton(QStringLiteral("..."), this);
    folderRow->addWidget(m_folderEdit);
    folderRow->addWidget(browse);
    layout->addLayout(folderRow);
    connect(browse, &QPushButton::clicked, this, &CTemplatePage::OnBrowse);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CTemplatePage::OnSelectionChange);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &CTemplatePage::OnDoubleClick);
}

QToolButton* CTemplatePage::ViewButton(int mode) const
{
    return m_viewButtons[ViewIndex(mode)];
}

void CTemplatePage::FillList()
{
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    if (m_strFolder.isEmpty()) {
        QSettings* profile = GetAppContext() ? GetAppContext()->profile() : nullptr;
        m_strFolder = profile ? profile->value(m_strProfileSection + QStringLiteral("/Dir")).toString() : QString();
        if (m_strFolder.isEmpty())
            m_strFolder = m_defaultFolder();
        m_strFolder = WithSlash(m_strFolder);
    }
    m_folderEdit->setText(m_strFolder);
    const QFileInfoList files = QDir(m_strFolder).entryInfoList({QStringLiteral("*.qvt")}, QDir::Files, QDir::Name);
    for (const QFileInfo& file : files) {
        if (file.fileName().right(4).compare(QLatin1String(".qvt"), Qt::CaseInsensitive) == 0)
            AddTemplateRow(file);
    }
    for (int column = 0; column < m_list->columnCount(); ++column)
        m_list->resizeColumnToContents(column); // the header's width when the list is empty
}

void CTemplatePage::AddTemplateRow(const QFileInfo& file)
{
    auto* item = new QTreeWidgetItem(m_list, {file.completeBaseName(), SizeText(file.size()),
                                              QStringLiteral("Tamro Plenthover Template file"),
                                              ModifiedText(file.lastModified().toLocalTime())});
    item->setIcon(0, style()->standardIcon(QStyle::SP_FileIcon));
    if (file.completeBaseName() == m_strSelectedName) {
        item->setSelected(true);
        m_list->setCurrentItem(item);
    }
}

QStringList CTemplatePage::RowTexts(int row) const
{
    QStringList texts;
    if (const QTreeWidgetItem* item = m_list->topLevelItem(row)) {
        for (int column = 0; column < 4; ++column)
            texts << item->text(column);
    }
    return texts;
}

QString CTemplatePage::SizeText(qint64 bytes)
{
    return QStringLiteral("%1KB").arg((bytes + 1023) / 1024);
}

// "m/d/yy  h:mm AM" on the 12-hour clock, the year modulo 100 without a leading zero.
QString CTemplatePage::ModifiedText(const QDateTime& localTime)
{
    const QDate date = localTime.date();
    const QTime time = localTime.time();
    const int hour = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return QStringLiteral("%1/%2/%3  %4:%5 %6")
        .arg(date.month())
        .arg(date.day())
        .arg(date.year() % 100)
        .arg(hour)
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(time.hour() >= 12 ? QStringLiteral("PM") : QStringLiteral("AM"));
}

void CTemplatePage::SetViewMode(int mode)
{
    m_nViewMode = mode;
    for (int k = 0; k < 3; ++k)
        m_viewButtons[k]->setChecked(VIEW_MODES[k] == mode);
    const bool details = mode == Details;
    m_list->setHeaderHidden(!details);
    for (int column = 1; column < 4; ++column)
        m_list->setColumnHidden(column, !details);
    m_list->setIconSize(mode == Icons ? QSize(32, 32) : QSize(16, 16));
}

void CTemplatePage::OnSelectionChange()
{
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return;
    if (m_sheet)
        m_sheet->EnableOK(true);
    m_strSelectedName = selected.first()->text(0);
    ShowPreview();
}

void CTemplatePage::ShowPreview()
{
    m_strDescription.clear();
    if (m_strSelectedName.isEmpty()) {
        m_preview->setText(NO_SELECTION);
        return;
    }
    const QString file = m_strFolder + m_strSelectedName + QStringLiteral(".qvt");
    if (HasUnfinishedSave(file)) {
        m_preview->setText(UnfinishedSaveText(file));
        return;
    }
    CProjectSet project;
    try {
        if (project.OpenSet(file) && !project.IsEOF())
            m_strDescription = project.GetText(QStringLiteral("Description"));
    } catch (const CDaoException&) {
        m_strDescription.clear(); // an unreadable template shows no description
    }
    m_preview->setText(m_strDescription.isEmpty() ? QStringLiteral("No Description for this template")
                                                  : m_strDescription);
}

void CTemplatePage::OnDoubleClick()
{
    if (!m_sheet)
        return;
    m_sheet->m_nChosenPage = m_nChosenValue;
    m_sheet->PressOK();
}

void CTemplatePage::OnSetActive()
{
    if (m_sheet)
        m_sheet->m_nChosenPage = m_nChosenValue;
    if (m_strSelectedName.isEmpty()) {
        const bool selected = m_list->topLevelItemCount() > 0;
        if (selected)
            m_list->topLevelItem(0)->setSelected(true);
        if (m_sheet)
            m_sheet->EnableOK(selected);
    }
    SetViewMode(m_nViewMode);
}

void CTemplatePage::OnBrowse()
{
    CMyBrowseForFolder picker(this);
    picker.SetTitle(QStringLiteral("Please select a location below :"));
    picker.SetInitialFolder(WithoutSlash(m_strFolder));
    if (!picker.Browse())
        return;
    m_strFolder = WithSlash(picker.GetPath());
    FillList();
    SetViewMode(m_nViewMode);
}
