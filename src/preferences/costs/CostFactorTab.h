#pragma once
// A page of the cost factor sheet: the cost factors of one kind in a grid (item, factor, the
// page's own columns, the row's id in a hidden last column). The page loads once, when the sheet
// makes it; at OK a page that loaded replaces the kind's stored rows by its grid rows, in grid
// order, keeping each row's id.

#include "foundation/controls/QVPropertyPage.h"

#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

class CCostFactorPreferenceSet;
class CDaoDatabase;
class CFactorColumnValidator;
class CObjectGridWnd;
class QBoxLayout;
class QPushButton;

extern const char* const COST_FACTOR_INIT_MESSAGE;

class CCostFactorTab : public CQVPropertyPage {
public:
    using IDSource = std::function<long()>;
    static constexpr int ITEM_COL = 1;
    static constexpr int FACTOR_COL = 2;
    static constexpr int ROW_HEIGHT = 20;

    struct Layout {
        QString costFactorType;
        int templateID;
        int gridID;
        QStringList headers; // columns 1 to the last, the hidden id column's included
        int insertID = 0;    // Insert and Delete buttons; 0: the page has none
        int deleteID = 0;
        QStringList texts = {}; // shown above the grid
    };

    explicit CCostFactorTab(const Layout& layout, QWidget* parent = nullptr);
    ~CCostFactorTab() override;

    // Reads the kind's rows into the grid; false, after its message, when they cannot be read.
    bool OnInitDialog();
    bool IsLoaded() const { return m_bLoaded; }
    // The grid's current edit (and the page's own entries) fit for saving.
    virtual bool CheckEntries();
    bool OnKillActive() override { return CheckEntries(); }
    bool OnApply() override { return CheckEntries(); }
    // Writes the page; raises CDaoException. The caller holds the transaction.
    void SaveCostFactors(CDaoDatabase& db);
    // Whether a grid row (or a record the page keeps) holds the id.
    virtual bool HoldsID(long id) const;

    void SetIDSource(IDSource source) { m_newID = std::move(source); }
    void OnInsert();
    void OnDelete();

    CObjectGridWnd* grid() const { return m_grid; }
    QPushButton* button(int id) const;
    const QString& CostFactorType() const { return m_layout.costFactorType; }

protected:
    int IDColumn() const { return int(m_layout.headers.size()); }
    QString Cell(int row, int col) const;
    void SetFactorValidator(int sign);
    // Below the grid and its buttons, the page's own controls.
    QBoxLayout* PageLayout() const { return m_pageLayout; }

    virtual std::vector<int> ColumnWidths(int gridWidth) const = 0;
    // Before the rows are read: cell kinds and choice lists of the page.
    virtual void PrepareLoad() {}
    virtual void StyleExtraColumns(int /*first*/, int /*last*/) {}
    virtual void LoadRowExtras(int /*row*/, const CCostFactorPreferenceSet& /*set*/) {}
    virtual void InsertRowExtras(int /*row*/, long /*id*/) {}
    virtual void AfterLoad() {}
    virtual void AfterDelete() {}
    virtual bool KeepsEmptyRows() const { return false; }
    // The stored unit of the row; null where the page has no unit.
    virtual QVariant RowUnit(int /*row*/) const { return QVariant(); }
    // After the kind's rows: what else the page stores for the ids it wrote.
    virtual void SaveExtras(CDaoDatabase& /*db*/, const std::vector<long>& /*written*/) {}

private:
    void AddGrid();
    void AddRowButtons();
    void SetUpGrid(int rows);
    void StyleRows(int first, int last);
    void LoadRow(int row, const CCostFactorPreferenceSet& set);
    long NewID() const;

    Layout m_layout;
    QBoxLayout* m_pageLayout;
    CObjectGridWnd* m_grid = nullptr;
    std::unique_ptr<CFactorColumnValidator> m_validator;
    IDSource m_newID;
    bool m_bLoaded = false;
};
