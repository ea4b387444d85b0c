#pragma once
// The kinds of document window the program opens, registered by name at start-up. The feature
// that builds a kind supplies its window factory; until then the kind has none.

#include <QList>
#include <QString>

#include <functional>

class QWidget;

struct DocumentTemplate {
    QString name;
    int resourceID = 0;
    std::function<QWidget*()> createWindow;
    // For kinds whose window depends on its key (the schedule of a step, process or plan): used
    // in place of createWindow when set; null when there is nothing to show for that key.
    std::function<QWidget*(long id)> createKeyedWindow;
};

class CDocumentRegistry {
public:
    void Register(DocumentTemplate documentTemplate);
    const DocumentTemplate* Find(const QString& name) const;
    DocumentTemplate* Find(const QString& name);
    QStringList Names() const;
    int Count() const { return int(m_templates.size()); }

private:
    QList<DocumentTemplate> m_templates;
};
