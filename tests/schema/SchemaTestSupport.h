#pragma once
// Helpers of the schema tests: a private read connection on a built file and whole-file reads.

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
    QStringList Texts(const QString& sql) const; // the first column of every row
    QStringList Columns(const QString& tableOrView) const;

private:
    QString m_name;
    bool m_open = false;
};

QByteArray FileBytes(const QString& path);
