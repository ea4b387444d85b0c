#include "modules/engine/ScheduleGraph.h"

#include <algorithm>

int CScheduleGraph::AddNode(double duration, bool root)
{
    Node node;
    node.duration = duration;
    node.runs = root;
    m_nodes.append(node);
    return int(m_nodes.size()) - 1;
}

void CScheduleGraph::AddFlow(int from, int to, bool enabled)
{
    m_nodes[from].out.append({to, true, enabled, 0});
    ++m_nodes[to].waiting;
}

void CScheduleGraph::AddWait(int from, int to, double delay)
{
    m_nodes[from].out.append({to, false, true, delay});
    ++m_nodes[to].waiting;
}

void CScheduleGraph::AddStartDelay(int node, double delay)
{
    m_nodes[node].startDelay = std::max(m_nodes[node].startDelay, delay);
}

bool CScheduleGraph::Solve()
{
    QList<int> ready;
    for (int i = 0; i < m_nodes.size(); ++i) {
        if (m_nodes.at(i).waiting == 0)
            ready.append(i);
    }
    int solved = 0;
    while (!ready.isEmpty()) {
        Release(ready.takeLast(), ready);
        ++solved;
    }
    return solved == m_nodes.size();
}

// Times the node, then passes its end on to its successors.
void CScheduleGraph::Release(int index, QList<int>& ready)
{
    Node& node = m_nodes[index];
    if (node.runs) {
        node.start = node.ready + node.startDelay;
        node.end = node.start + node.duration;
    }
    for (const Edge& edge : std::as_const(node.out)) {
        Node& next = m_nodes[edge.to];
        if (node.runs && edge.enabled) {
            next.runs = next.runs || edge.flow;
            next.ready = std::max(next.ready, node.end + edge.delay);
        }
        if (--next.waiting == 0)
            ready.append(edge.to);
    }
}
