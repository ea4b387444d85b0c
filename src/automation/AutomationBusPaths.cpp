#include "automation/AutomationBusPaths.h"

#include "automation/AutomationModelBuilder.h"
#include "automation/QVProcesses.h"
#include "automation/QVProductionPlans.h"
#include "automation/QuorvantaAut.h"

namespace {
// The members that lead from an element to the collection below it, in tree order.
const QStringList kChildCollections = {"Steps",  "UnitProcedures", "Operations", "Groups",
                                       "Fields", "Ranges",         "LineItems"};

bool isApplication(const CAutomationObject* object)
{
    return dynamic_cast<const CQuorvantaAut*>(object) != nullptr;
}

// The collection a parameterless member of parent hands out, by its exact name.
std::shared_ptr<CAutomationObject> childCollection(CAutomationObject& parent, const QString& name)
{
    const AutomationMember* member = parent.Members().find(name);
    if (!member || member->name != name || !member->isMethod() || !member->params.isEmpty())
        return nullptr;
    return member->call(parent, {}).object();
}

// The member of owner that hands out collection; "" for none. The collection's class names it
// (CQVSteps: Steps), else the first that hands it out.
QString memberNameOf(CAutomationObject& owner, const std::shared_ptr<CAutomationObject>& collection)
{
    const QString named = collection->ClassName().mid(3);
    if (kChildCollections.contains(named) && childCollection(owner, named) == collection)
        return named;
    const auto name = std::find_if(kChildCollections.begin(), kChildCollections.end(),
                                   [&](const QString& n) { return childCollection(owner, n) == collection; });
    return name == kChildCollections.end() ? QString() : *name;
}
} // namespace

bool CAutomationPathMap::IsCollection(const CAutomationObject& object)
{
    return object.Members().find(-4) != nullptr;
}

QList<std::shared_ptr<CAutomationObject>> CAutomationPathMap::Elements(CAutomationObject& collection)
{
    QList<std::shared_ptr<CAutomationObject>> elements;
    const AutomationMember* count = collection.Members().find(QStringLiteral("Count"));
    const AutomationMember* item = collection.Members().find(QStringLiteral("Item"));
    if (!count || !item)
        return elements;
    const long n = count->get(collection).longValue();
    for (long i = 0; i < n; ++i) {
        if (auto element = item->call(collection, {CAutomationVariant::Long(i)}).object())
            elements << element;
    }
    return elements;
}

QString CAutomationPathMap::segmentOf(const CAutomationObject& element)
{
    const QString known = knownSegmentOf(element);
    if (!known.isEmpty())
        return known;
    const auto self = std::const_pointer_cast<const CAutomationObject>(element.shared_from_this());
    m_newNumbers.insert_or_assign(&element, std::make_pair(std::weak_ptr(self), ++m_lastNewNumber));
    m_indexes.clear(); // the element has a name now
    return QStringLiteral("new%1").arg(m_lastNewNumber);
}

QString CAutomationPathMap::knownSegmentOf(const CAutomationObject& element) const
{
    const long id = element.PathElementID();
    if (id >= 0)
        return QString::number(id);
    if (id < -1)
        return QStringLiteral("m%1").arg(-id);
    const auto found = m_newNumbers.find(&element);
    if (found == m_newNumbers.end() || found->second.first.expired())
        return QString();
    return QStringLiteral("new%1").arg(found->second.second);
}

std::shared_ptr<CAutomationObject> CAutomationPathMap::top(const QString& segment)
{
    if (segment == QLatin1String("Application"))
        return m_model.Application();
    if (segment == QLatin1String("Processes"))
        return m_model.Processes();
    if (segment == QLatin1String("ProductionPlans"))
        return m_model.ProductionPlans();
    return nullptr;
}

std::shared_ptr<CAutomationObject> CAutomationPathMap::child(const std::shared_ptr<CAutomationObject>& parent,
                                                             const QString& segment)
{
    if (!IsCollection(*parent))
        return kChildCollections.contains(segment) ? childCollection(*parent, segment) : nullptr;
    return element(parent, segment);
}

std::shared_ptr<CAutomationObject>
CAutomationPathMap::element(const std::shared_ptr<CAutomationObject>& collection, const QString& segment)
{
    const ElementIndex& index = indexOf(collection);
    const auto found = index.bySegment.constFind(segment);
    return found == index.bySegment.cend() ? nullptr : found->lock();
}

const CAutomationPathMap::ElementIndex&
CAutomationPathMap::indexOf(const std::shared_ptr<CAutomationObject>& collection)
{
    syncWithShape();
    ElementIndex& index = m_indexes[collection.get()];
    if (index.collection.lock() == collection)
        return index;
    index = ElementIndex{collection, {}};
    for (const auto& element : Elements(*collection)) {
        const QString segment = knownSegmentOf(*element);
        if (!segment.isEmpty() && !index.bySegment.contains(segment))
            index.bySegment.insert(segment, element);
    }
    return index;
}

// A path one name below a path found before is found from there.
std::shared_ptr<CAutomationObject> CAutomationPathMap::Resolve(const QString& path)
{
    if (m_model.IsStale())
        return resolveWhole(path); // finding the roots rebuilds the tree
    syncWithShape();
    if (const auto known = m_resolved.value(path).lock())
        return known;
    std::shared_ptr<CAutomationObject> object;
    const qsizetype last = path.lastIndexOf(QLatin1Char('/'));
    const bool named = last > 0 && last + 1 < path.size();
    const auto parent = named ? m_resolved.value(path.left(last)).lock() : nullptr;
    if (!parent)
        object = resolveWhole(path);
    else if (!isApplication(parent.get()))
        object = child(parent, path.mid(last + 1));
    if (object) {
        if (m_resolved.size() >= RESOLVED_LIMIT)
            m_resolved.clear();
        m_resolved.insert(path, object);
    }
    return object;
}

std::shared_ptr<CAutomationObject> CAutomationPathMap::resolveWhole(const QString& path)
{
    const QStringList segments = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (segments.isEmpty())
        return nullptr;
    std::shared_ptr<CAutomationObject> object = top(segments.first());
    if (isApplication(object.get()) && segments.size() > 1)
        return nullptr;
    for (qsizetype i = 1; object && i < segments.size(); ++i)
        object = child(object, segments[i]);
    return object;
}

void CAutomationPathMap::syncWithShape()
{
    if (m_knownShape == CAutomationObject::ShapeChanges())
        return;
    m_indexes.clear();
    m_resolved.clear();
    m_collectionPaths.clear();
    m_knownShape = CAutomationObject::ShapeChanges();
}

// A collection's path is kept (while no tree changes shape) for the paths below it.
QString CAutomationPathMap::PathOf(const std::shared_ptr<CAutomationObject>& object)
{
    if (!object || object->IsDetached())
        return QStringLiteral("/");
    syncWithShape();
    const QString path = pathUpFrom(object);
    if (IsCollection(*object) && path != QLatin1String("/") && path != QLatin1String("/Application"))
        m_collectionPaths.insert(object.get(), {object, path});
    return path;
}

QString CAutomationPathMap::pathUpFrom(const std::shared_ptr<CAutomationObject>& object)
{
    QStringList segments;
    std::shared_ptr<CAutomationObject> current = object;
    while (current && !isApplication(current.get())) {
        const QString known = keptCollectionPath(*current);
        if (!known.isEmpty())
            return segments.isEmpty() ? known : known + QLatin1Char('/') + segments.join(QLatin1Char('/'));
        const std::shared_ptr<CAutomationObject> owner = current->Owner();
        if (IsCollection(*current) && (!owner || isApplication(owner.get()))) {
            segments.prepend(current->ClassName().mid(3)); // CQVProcesses: Processes
            return QLatin1Char('/') + segments.join(QLatin1Char('/'));
        }
        if (!owner)
            return QStringLiteral("/");
        const QString name = IsCollection(*current) ? memberNameOf(*owner, current) : segmentOf(*current);
        if (name.isEmpty())
            return QStringLiteral("/");
        segments.prepend(name);
        current = owner;
    }
    return current ? QStringLiteral("/Application") : QStringLiteral("/");
}

QString CAutomationPathMap::keptCollectionPath(const CAutomationObject& collection) const
{
    const auto kept = m_collectionPaths.constFind(&collection);
    if (kept == m_collectionPaths.cend() || kept->first.lock().get() != &collection)
        return QString();
    return kept->second;
}

// An element's path is its collection's, one name longer, wherever the element still belongs to
// that collection below the roots.
QStringList CAutomationPathMap::ElementPaths(const std::shared_ptr<CAutomationObject>& collection)
{
    const QString base = PathOf(collection);
    const bool belowRoot = base != QLatin1String("/") && base != QLatin1String("/Application");
    QStringList paths;
    for (const auto& element : Elements(*collection)) {
        const bool plain = belowRoot && !element->IsDetached() && element->Owner() == collection
                           && !IsCollection(*element);
        paths << (plain ? base + QLatin1Char('/') + segmentOf(*element) : PathOf(element));
    }
    return paths;
}

QStringList CAutomationPathMap::ChildNodes(const QString& path)
{
    if (path.split(QLatin1Char('/'), Qt::SkipEmptyParts).isEmpty()) {
        QStringList nodes{QStringLiteral("Application")};
        if (m_model.AutomationModelExists())
            nodes << QStringLiteral("Processes") << QStringLiteral("ProductionPlans");
        return nodes;
    }
    const std::shared_ptr<CAutomationObject> object = Resolve(path);
    QStringList nodes;
    if (!object || isApplication(object.get()))
        return nodes;
    if (IsCollection(*object)) {
        for (const auto& element : Elements(*object))
            nodes << segmentOf(*element);
        return nodes;
    }
    for (const QString& name : kChildCollections) {
        if (childCollection(*object, name))
            nodes << name;
    }
    return nodes;
}
