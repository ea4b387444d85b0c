#pragma once
// Packages for the packer tests: the Demo project written from the schema into a folder, packed
// for real, and small zips put together entry by entry to stand for damaged or hostile packages.

#include "FakeAppContext.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <gtest/gtest.h>

struct ZipEntrySpec {
    QString name;
    QByteArray bytes;
};

// Entries stored (not compressed), in the order given.
void WriteStoredZip(const QString& path, const QList<ZipEntrySpec>& entries);
// Bytes that pass for a database by their header: pages of 512 bytes, the count in the header, the
// text after it, zeros up to the end.
QByteArray DatabaseLikeBytes(const QByteArray& text, quint32 pages = 1);
// A stored root naming the project, then the project's three files holding their names as bytes.
QList<ZipEntrySpec> MinimalPackageEntries(const QString& baseName = QStringLiteral("Demo"));
QByteArray ReadAllBytes(const QString& path);
void WriteAllBytes(const QString& path, const QByteArray& bytes);
// Every file below the folder (relative path -> bytes).
QMap<QString, QByteArray> TreeSnapshot(const QString& folder);
// Exit code of `unzip <arguments>` and what it wrote.
int RunUnzip(const QStringList& arguments, QString* output = nullptr);

class PackerFixture : public ::testing::Test {
protected:
    PackerFixture();
    ~PackerFixture() override;
    QString root() const { return app.root(); }
    // Demo's files, written once per test.
    QString demoDir() const { return app.root() + "Demo/"; }
    QString demoPackage() const { return app.root() + "Demo.qvz"; }

    FakeAppContext app;

private:
    std::function<qint64(const QString&)> m_previousProbe;
};
