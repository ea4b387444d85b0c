#pragma once
// Bus object paths of the scripting objects, found again in the current tree on every call, so a
// path outlives the rebuilds of the tree: /Application, /Processes/<id>/Steps/<id>/... and
// /ProductionPlans/<id>/LineItems. An element is named by its database id; one made by a
// script (id -1) by new<N>, another negative id by m<digits>.

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
    // The names of the nodes below path.
    QStringList ChildNodes(const QString& path);

    static bool IsCollection(const CAutomationObject& object);
    static QList<std::shared_ptr<CAutomationObject>> Elements(CAutomationObject& collection);

private:
    QString segmentOf(const CAutomationObject& element);
    std::shared_ptr<CAutomationObject> top(const QString& segment);
    std::shared_ptr<CAutomationObject> child(const std::shared_ptr<CAutomationObject>& parent, const QString& segment);

    CAutomationModelBuilder& m_model;
    std::map<const CAutomationObject*, std::pair<std::weak_ptr<const CAutomationObject>, int>> m_newNumbers;
    int m_lastNewNumber = 0;
};
