#pragma once
// Entities and chains built in code for the plotter output tests.

#include "exchange/HpglWrite.h"
#include "exchange/PlotRun.h"
#include "model/Entity.h"

#include <deque>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace hpgltest {

inline CEntity Make(int16_t type, int16_t style, std::vector<double> values, int16_t subtype = 0,
                    std::string_view text = {})
{
    CEntity e;
    e.type = type;
    e.subtype = subtype;
    e.style = style;
    for (double v : values) e.values.push_back(v);
    e.count = static_cast<int16_t>(values.size());
    if (!text.empty()) e.text = std::string(text);
    return e;
}

// Entities linked in the order added; the addresses stay put.
class Chain {
public:
    CEntity& Add(CEntity e)
    {
        items_.push_back(std::move(e));
        CEntity& added = items_.back();
        added.previous = items_.size() > 1 ? &items_[items_.size() - 2] : nullptr;
        added.next = nullptr;
        if (added.previous) added.previous->next = &added;
        return added;
    }
    const CEntity* First() const { return items_.empty() ? nullptr : &items_.front(); }
    std::size_t Size() const { return items_.size(); }

private:
    std::deque<CEntity> items_;
};

// The commands one entity gives under an emitter, each followed by "|".
inline std::string Commands(CHpglEmitter& emitter, const CEntity& e)
{
    HpglText out("|");
    emitter.OutputEntity(e, out);
    return out.text;
}

// An emitter for plotter set `set` with no correction, scale 1, extents from (0, 0).
inline CHpglEmitter Emitter(int set)
{
    CHpglEmitter emitter;
    emitter.Prepare(set, 0, 0);
    return emitter;
}

// A run from start to end on a text channel; the channel's text.
inline std::string RunToEnd(const PlotJob& job, PlotTextChannel& channel, int* error = nullptr)
{
    CPlotRun run(job, channel);
    int e = run.Start();
    while (e == PlotError::None) {
        const CPlotRun::Step step = run.Tick();
        if (step == CPlotRun::Step::Finished) break;
        if (step == CPlotRun::Step::Failed) e = run.Error();
    }
    if (error) *error = e;
    return channel.text;
}

} // namespace hpgltest
