#pragma once
// Small builders shared by the snap-point tests.

#include "model/EntityList.h"
#include "model/SnapPointList.h"

#include <initializer_list>
#include <vector>

namespace snaptest {

inline CEntity* Add(CEntityList& list, int16_t type, std::initializer_list<double> values, int16_t subtype = 0)
{
    std::vector<double> v(values);
    std::vector<int16_t> codes(v.size(), 10);
    EntityHeader h;
    h.type = type;
    h.subtype = subtype;
    h.count = static_cast<int16_t>(v.size());
    if (list.AddEntity(h, codes.data(), 0, v.data()) != 0)
        return nullptr;
    return list.last;
}

inline CEntity* AddRegistered(CEntityList& list, CSnapPointList& snaps, int16_t type,
                              std::initializer_list<double> values, int16_t subtype = 0)
{
    CEntity* e = Add(list, type, values, subtype);
    if (e)
        snaps.AddEntityPoints(e);
    return e;
}

inline CEntity* AddCurve(CEntityList& list, CSnapPointList& snaps, int16_t type, const std::vector<double>& v)
{
    std::vector<int16_t> codes(v.size());
    for (std::size_t i = 0; i < v.size(); ++i)
        codes[i] = static_cast<int16_t>(i % 2 ? 20 : 10);
    EntityHeader h;
    h.type = type;
    h.count = static_cast<int16_t>(v.size());
    if (list.AddEntity(h, codes.data(), 0, v.data()) != 0)
        return nullptr;
    snaps.AddEntityPoints(list.last);
    return list.last;
}

struct Node {
    const CEntity* entity;
    int kind;
    int state;
    double x, y;
};

// The points of the chain, crossings included, in chain order.
inline std::vector<Node> Nodes(const CSnapPointList& snaps)
{
    std::vector<Node> out;
    for (const SnapPoint& p : snaps.ChainPoints())
        out.push_back({p.entity, p.kind, p.state, p.x, p.y});
    return out;
}

inline std::vector<Node> NodesOf(const CSnapPointList& snaps, const CEntity* e, int kind = -1)
{
    std::vector<Node> out;
    for (const Node& n : Nodes(snaps))
        if (n.entity == e && (kind < 0 || n.kind == kind))
            out.push_back(n);
    return out;
}

} // namespace snaptest
