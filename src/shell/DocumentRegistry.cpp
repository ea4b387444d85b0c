#include "shell/DocumentRegistry.h"

void CDocumentRegistry::Register(DocumentTemplate documentTemplate)
{
    if (DocumentTemplate* existing = Find(documentTemplate.name))
        *existing = std::move(documentTemplate);
    else
        m_templates.append(std::move(documentTemplate));
}

const DocumentTemplate* CDocumentRegistry::Find(const QString& name) const
{
    for (const DocumentTemplate& t : m_templates) {
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    }
    return nullptr;
}

DocumentTemplate* CDocumentRegistry::Find(const QString& name)
{
    return const_cast<DocumentTemplate*>(std::as_const(*this).Find(name));
}

QStringList CDocumentRegistry::Names() const
{
    QStringList names;
    for (const DocumentTemplate& t : m_templates)
        names << t.name;
    return names;
}
