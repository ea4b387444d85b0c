#pragma once
// Fixture of the project tests: an application object, real database files built from the
// schema, and a private connection that reads and writes them without the layer under test.

#include "FakeAppContext.h"
#include "foundation/db/SchemaBuilder.h"

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <gtest/gtest.h>

// Runs one statement on the file over a private connection; the first value of the first row.
QVariant RawQuery(const QString& path, const QString& sql);
QByteArray FileBytes(const QString& path);
// Creates the folders on the way.
void WriteTextFile(const QString& path, const QByteArray& bytes);

class ProjectsFixture : public ::testing::Test {
protected:
    // A fresh file of the kind in the fixture's folder.
    QString build(DatabaseKind kind, const QString& name);
    QString pathOf(const QString& name) const { return m_app.root() + name; }

    FakeAppContext m_app;
};
