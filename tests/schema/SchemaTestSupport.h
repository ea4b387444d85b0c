#pragma once
// Helpers of the schema tests: a private read connection on a built file, whole-file reads, and
// a structure check of recipe rows (blocks, branches and neighbours) as the transition builder
// applies it before a run.

#include <QByteArray>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>

class CReadConnection {
public:
    explicit CReadConnection(const QString& path);
    ~CReadConnection();
    CReadConnection(const CReadConnection&) = delete;
    CReadConnection& operator=(const CReadConnection&) = delete;

    bool IsOpen() const { return m_open; }
    QList<QVariantList> Rows(const QString& sql) const;
    QVariant Scalar(const QString& sql) const;
    QList<qlonglong> Ids(const QString& sql) const;
    QStringList Columns(const QString& tableOrView) const;

private:
    QString m_name;
    bool m_open = false;
};

QByteArray FileBytes(const QString& path);

struct RecipeCheckRow {
    QString type;
    QString label;
};

// Empty when the rows pass; otherwise the message of the first rule that fails.
QString CheckRecipeStructure(const QList<RecipeCheckRow>& rows);
