#pragma once
// The "Emission Control Paths" page of the vapour emission sheet: per facility, the default
// emission control path of each equipment item. Every facility shown keeps its rows in memory; a
// switch of facility writes nothing, OK writes every shown facility whose rows changed. A facility
// whose lists or rows did not load is never written.

#include "preferences/emissions/EmissionSheetPage.h"

#include <QHash>
#include <QList>
#include <QString>

class CMyGXComboBox;
class CObjectGridWnd;
class QComboBox;

class CEmissionControlPathTab : public CEmissionSheetPage {
    Q_OBJECT
public:
    static constexpr int MIN_ROWS = 100;
    static constexpr long HELP_TOPIC = 726;
    enum { EQUIPMENT_LIST = 2112, PATH_LIST = 2013, EQUIPMENT_MORE = 2113, PATH_MORE = 2114 };
    enum { COL_EQUIPMENT = 1, COL_EQUIPMENT_MORE = 2, COL_PATH = 3, COL_PATH_MORE = 4 };

    explicit CEmissionControlPathTab(QWidget* parent = nullptr);

    bool IsLoaded() const override { return m_loaded; }
    bool CheckEntries() override;
    bool OnKillActive() override;
    bool WritePage(CDaoDatabase& project) override;
    void OnHelp();

    // The facility combo box's confirmed selection; a refused switch selects the shown facility.
    void OnSelEndOkFacility();
    // The "..." cells of a row: the equipment editor, the emission control path dialog.
    void OnEquipmentMore(int row);
    void OnPathMore(int row);

    CObjectGridWnd* grid() const { return m_grid; }
    QComboBox* facilityCombo() const { return m_facilityCombo; }
    long currentFacility() const { return m_currentFacility; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Assignment {
        long equipmentID = -1;
        QString tag;
        long pathID = -1;
        QString pathName;
        bool Complete() const { return equipmentID >= 0 && pathID >= 0; }
    };
    struct FacilityRows {
        QList<Assignment> rows;
        QList<QPair<long, long>> stored; // (equipment, path) as read
        bool loaded = false;
    };

    void LayOutGrid();
    void SizeColumns();
    void FormatRows(int first, int last);
    bool FillFacilities();
    bool FillEmissionPathLists(bool withPools);
    bool FillEquipmentList(bool withPools);
    bool FillPathList();
    bool LoadEmissionPathAssignments();
    void ShowFacility(long plantID);
    void ShowRows(const QList<Assignment>& rows);
    void ReadGrid();
    bool CheckDuplicateEquipment(bool message);
    void RewriteTexts(int col, const QHash<long, QString>& names);
    void SelectFacilityInCombo(long plantID);
    static QList<QPair<long, long>> CompleteRows(const QList<Assignment>& rows);

    CObjectGridWnd* m_grid = nullptr;
    QComboBox* m_facilityCombo = nullptr;
    CMyGXComboBox* m_equipmentList = nullptr;
    CMyGXComboBox* m_pathList = nullptr;
    long m_currentFacility = -1;
    bool m_loaded = false;
    QHash<long, FacilityRows> m_facilities;
    QHash<long, QString> m_tags;      // every item of the shown facility, pools included
    QHash<long, QString> m_pathNames; // the shown facility's paths
};
