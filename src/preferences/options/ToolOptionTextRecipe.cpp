#include "preferences/options/ToolOptionTextRecipe.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/controls/OptionControls.h"
#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/project/CommentTypeSet.h"
#include "foundation/db/project/RangeTypeSet.h"
#include "foundation/db/project/TextRecipeOptionsSet.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QVBoxLayout>

namespace {
struct RecipeFlag {
    int id;
    const char* name;
    const char* text;
};
// In the order the save writes them.
const RecipeFlag RECIPE_FLAGS[] = {
    {1450, "MeasuredValues", "Measured Values "},
    {1451, "Separations", "Separations "},
    {1091, "Utilities", "Utilities "},
    {1452, "VentCondenser", "Emission Control Path "},
    {1092, "AddSpace", "Add blank spaces between recipe, ranges and comments"},
    {1453, "Ranges", "Ranges  (Text Recipe View) "},
    {1094, "Comments", "Comments  (Text Recipe View) "},
    {1093, "RoundValues", "Round Values"},
};
enum RecipeIDs {
    RANGES = 1453,
    COMMENTS = 1094,
    RANGE_LIST = 1665,
    COMMENT_LIST = 1666,
    TEXT_RECIPE_PAGE = 5
};

bool SameName(const QString& a, const char* b)
{
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}
} // namespace

bool CToolOptionTextRecipe::LoadOptions()
{
    CTextRecipeOptionsSet set;
    if (!set.OpenSet()) {
        QvMessageBox(QStringLiteral("Can't open the Text Recipe Options table for initialization!"));
        return false;
    }
    for (; !set.IsEOF(); set.MoveNext()) {
        const QString name = set.GetText("Options");
        if (set.IsFieldNull("Value"))
            continue;
        for (const RecipeFlag& flag : RECIPE_FLAGS)
            if (SameName(name, flag.name))
                m_flags[flag.name] = set.GetLong("Value") == 1;
        if (SameName(name, "RangeTypeID"))
            m_rangeTypes.Add(set.GetLong("Value"));
        else if (SameName(name, "CommentTypeID"))
            m_commentTypes.Add(set.GetLong("Value"));
    }
    set.CloseSet();
    return true;
}

bool CToolOptionTextRecipe::WriteRows(CDaoDatabase& database)
{
    QList<QVariantList> rows;
    for (const RecipeFlag& flag : RECIPE_FLAGS)
        if (m_flags.value(flag.name))
            rows.append(QVariantList{QString::fromLatin1(flag.name), 1});
    for (long id : m_rangeTypes)
        rows.append(QVariantList{QStringLiteral("RangeTypeID"), qlonglong(id)});
    for (long id : m_commentTypes)
        rows.append(QVariantList{QStringLiteral("CommentTypeID"), qlonglong(id)});
    ReplaceTableRows(database, QStringLiteral("TextRecipeOptions"),
                     {QStringLiteral("Options"), QStringLiteral("Value")}, QString(), QVariant(), rows);
    return true;
}

void CToolOptionTextRecipe::BuildControls(QWidget* page)
{
    auto* layout = new QVBoxLayout(page);
    auto* group =
        new QGroupBox(QStringLiteral(" Select which items are visible in the Text Recipe View: "), page);
    auto* checks = new QVBoxLayout(group);
    for (const RecipeFlag& flag : RECIPE_FLAGS) {
        QCheckBox* box = MakeCheckBox(group, flag.id, QString::fromLatin1(flag.text));
        checks->addWidget(box);
        const int id = flag.id;
        QObject::connect(box, &QCheckBox::clicked, page, [this, id] { OnCheckClicked(id); });
    }
    layout->addWidget(group);
    auto* lists = new QHBoxLayout;
    for (int id : {RANGE_LIST, COMMENT_LIST}) {
        auto* box = new QListWidget(page);
        box->setObjectName(QString::number(id));
        box->setSelectionMode(QAbstractItemView::MultiSelection);
        QObject::connect(box, &QListWidget::itemSelectionChanged, page, [this] { m_bChanged = true; });
        lists->addWidget(box);
    }
    layout->addLayout(lists);
}

QListWidget* CToolOptionTextRecipe::list(int id) const
{
    return FindControl<QListWidget>(window(), id);
}

void CToolOptionTextRecipe::OnCheckClicked(int id)
{
    m_bChanged = true;
    if (id == RANGES)
        list(RANGE_LIST)->setEnabled(IsChecked(window(), RANGES));
    if (id == COMMENTS)
        list(COMMENT_LIST)->setEnabled(IsChecked(window(), COMMENTS));
}

bool CToolOptionTextRecipe::FillList(QListWidget* box, bool comments)
{
    std::unique_ptr<CDaoRecordset> set;
    bool opened = false;
    if (comments) {
        auto commentSet = std::make_unique<CCommentTypeSet>();
        opened = commentSet->OpenSet();
        set = std::move(commentSet);
    } else {
        auto rangeSet = std::make_unique<CRangeTypeSet>();
        opened = rangeSet->OpenSet();
        set = std::move(rangeSet);
    }
    if (!opened) {
        QvMessageBox(comments ? QStringLiteral("Can't open the Comment Libary table!")
                              : QStringLiteral("Can't open the Range Libary table!"));
        return false;
    }
    const char* idColumn = comments ? "CommentTypeID" : "RangeTypeID";
    for (; !set->IsEOF(); set->MoveNext()) {
        if (set->GetText("Description").isEmpty())
            continue;
        auto* item = new QListWidgetItem(set->GetText("Description"), box);
        item->setData(Qt::UserRole, qlonglong(set->GetLong(idColumn)));
    }
    return true;
}

void CToolOptionTextRecipe::OnInitDialog()
{
    QSignalBlocker rangeBlock(list(RANGE_LIST)), commentBlock(list(COMMENT_LIST));
    m_bInitialized = true;
    list(RANGE_LIST)->setEnabled(Flag("Ranges"));
    list(COMMENT_LIST)->setEnabled(Flag("Comments"));
    if (!FillList(list(RANGE_LIST), false) || !FillList(list(COMMENT_LIST), true))
        return;
    if (SortServices* sort = GetSortServices()) {
        sort->SortListBoxItems(list(RANGE_LIST));
        sort->SortListBoxItems(list(COMMENT_LIST));
    }
    for (auto [id, chosen] : {std::pair{COMMENT_LIST, &m_commentTypes}, std::pair{RANGE_LIST, &m_rangeTypes}})
        for (int row = 0; row < list(id)->count(); ++row)
            if (chosen->Contains(long(list(id)->item(row)->data(Qt::UserRole).toLongLong())))
                list(id)->item(row)->setSelected(true);
}

bool CToolOptionTextRecipe::DoDataExchange(bool saveAndValidate)
{
    for (const RecipeFlag& flag : RECIPE_FLAGS) {
        if (saveAndValidate)
            m_flags[flag.name] = IsChecked(window(), flag.id);
        else
            SetChecked(window(), flag.id, m_flags.value(flag.name));
    }
    if (!saveAndValidate || !m_bInitialized)
        return true;
    for (auto [id, chosen] :
         {std::pair{COMMENT_LIST, &m_commentTypes}, std::pair{RANGE_LIST, &m_rangeTypes}}) {
        chosen->RemoveAll();
        for (int row = 0; row < list(id)->count(); ++row)
            if (list(id)->item(row)->isSelected())
                chosen->Add(long(list(id)->item(row)->data(Qt::UserRole).toLongLong()));
    }
    return true;
}

bool CToolOptionTextRecipe::OnApply()
{
    QString refusal;
    if (Flag("Ranges") && m_rangeTypes.IsEmpty())
        refusal = QStringLiteral("Please select range!");
    else if (Flag("Comments") && m_commentTypes.IsEmpty())
        refusal = QStringLiteral("Please select Comment!");
    if (refusal.isEmpty())
        return true;
    QvMessageBox(refusal);
    return false; // the sheet brings this page to the front
}
