#pragma once
// The dialog of one lookup entry that equipment items refer to (an area, factory or building):
// one trimmed, unique name saved under a generated id. The three kinds differ only in their texts,
// table and help topic.

#include <QDialog>

class QLineEdit;

struct LookupEntryKind {
    const char* table;      // "Area", "Factory", "Building"
    const char* caption;    // "Area"
    const char* label;      // "Area Name:"
    long helpTopic;
};

class CLookupEntryDialog : public QDialog {
    Q_OBJECT
public:
    CLookupEntryDialog(const LookupEntryKind& kind, QWidget* parent = nullptr);

    void SetData(long id, const QString& name);
    long id() const { return m_id; }
    const QString& name() const { return m_name; }
    QLineEdit* nameEdit() const { return m_nameEdit; }
    void accept() override; // OK

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString table() const { return QString::fromLatin1(m_kind.table); }
    bool IsDuplicate(class CDaoRecordset& rows);
    bool SaveEntry();
    QString IdColumn() const { return table() + QStringLiteral("ID"); }
    QString NameColumn() const { return table() + QStringLiteral("Name"); }

    const LookupEntryKind& m_kind;
    QLineEdit* m_nameEdit;
    long m_id = -1;
    QString m_name;
};

// The three kinds.
extern const LookupEntryKind AREA_ENTRY;
extern const LookupEntryKind FACTORY_ENTRY;
extern const LookupEntryKind BUILDING_ENTRY;
