#pragma once
// A precedence graph of timed nodes. A node runs when a root or when an enabled flow edge leaves a
// running node; it starts when the last of its running predecessors (flow or wait edges) ends,
// plus the edge's delay and its own start delay. Nodes that never run get no times.

#include <QList>

class CScheduleGraph {
public:
    int AddNode(double duration, bool root = false);
    // `to` runs when `from` runs and the edge is enabled, and starts after `from` ends.
    void AddFlow(int from, int to, bool enabled = true);
    // `to` starts no earlier than `delay` after `from` ends, when `from` runs.
    void AddWait(int from, int to, double delay);
    // `node` starts `delay` after it could start.
    void AddStartDelay(int node, double delay);

    // False when the edges form a cycle.
    bool Solve();
    bool Runs(int node) const { return m_nodes.at(node).runs; }
    double Start(int node) const { return m_nodes.at(node).start; }
    double End(int node) const { return m_nodes.at(node).end; }
    int NodeCount() const { return int(m_nodes.size()); }

private:
    struct Edge {
        int to;
        bool flow;
        bool enabled;
        double delay;
    };
    struct Node {
        double duration = 0;
        double startDelay = 0;
        bool runs = false;
        double ready = 0;
        double start = 0;
        double end = 0;
        int waiting = 0; // predecessors not solved yet
        QList<Edge> out;
    };
    void Release(int node, QList<int>& ready);

    QList<Node> m_nodes;
};
