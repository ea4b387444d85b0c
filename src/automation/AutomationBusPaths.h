#pragma once
// Bus object paths of the scripting objects, found again in the current tree on every call, so a
// path outlives the rebuilds of the tree: /Application, /Processes/<id>/Steps/<id>/... and
// /ProductionPlans/<id>/LineItems. An element is named by its database id; one made by a
// script (id -1) by new<N> once its path was handed out, another negative id by m<digits>.
// Each collection's elements are indexed by their names, and the objects found at paths and the
// paths of collections are kept, while no tree changes shape.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>

class CAutomationModelBuilder;
class CAutomationObject;

class CAutomationPathMap {
public:
    explicit CAutomationPathMap(CAutomationModelBuilder& model) : m_model(model) {}

    // Null when nothing lives at path now.
    std::shared_ptr<CAutomationObject> Resolve(const QString& path);
    // "/" for null and for an object outside the current tree.
    QString PathOf(const std::shared_ptr<CAutomationObject>& object);
    // The paths of a collection's elements, in its order.
    QStringList ElementPaths(const std::shared_ptr<CAutomationObject>& collection);
    // The names of the nodes below path.
    QStringList ChildNodes(const QString& path);

    static bool IsCollection(const CAutomationObject& object);
    static QList<std::shared_ptr<CAutomationObject>> Elements(CAutomationObject& collection);

private:
    struct ElementIndex {
        std::weak_ptr<CAutomationObject> collection;
        QHash<QString, std::weak_ptr<CAutomationObject>> bySegment; // the first element of each name
    };

    QString segmentOf(const CAutomationObject& element);
    // As segmentOf, but "" for an element made by a script whose path nobody was given yet.
    QString knownSegmentOf(const CAutomationObject& element) const;
    std::shared_ptr<CAutomationObject> resolveWhole(const QString& path);
    QString pathUpFrom(const std::shared_ptr<CAutomationObject>& object);
    // "" unless the collection's path is kept.
    QString keptCollectionPath(const CAutomationObject& collection) const;
    // Forgets what was found when a tree changed shape since.
    void syncWithShape();
    std::shared_ptr<CAutomationObject> top(const QString& segment);
    std::shared_ptr<CAutomationObject> child(const std::shared_ptr<CAutomationObject>& parent, const QString& segment);
    std::shared_ptr<CAutomationObject> element(const std::shared_ptr<CAutomationObject>& collection,
                                               const QString& segment);
    const ElementIndex& indexOf(const std::shared_ptr<CAutomationObject>& collection);

    CAutomationModelBuilder& m_model;
    std::map<const CAutomationObject*, std::pair<std::weak_ptr<const CAutomationObject>, int>> m_newNumbers;
    int m_lastNewNumber = 0;
    static constexpr qsizetype RESOLVED_LIMIT = 4096;
    QHash<const CAutomationObject*, ElementIndex> m_indexes;
    QHash<QString, std::weak_ptr<CAutomationObject>> m_resolved; // path: what lives there
    QHash<const CAutomationObject*, std::pair<std::weak_ptr<CAutomationObject>, QString>> m_collectionPaths;
    unsigned long m_knownShape = 0;
};
