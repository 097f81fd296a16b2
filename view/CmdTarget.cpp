#include "view/CmdTarget.h"

bool CCmdTarget::HandlesCommand(unsigned id) const
{
    if (m_handlers.count(id)) {
        return true;
    }
    for (const auto& r : m_ranges) {
        if (id >= r.first && id <= r.last) {
            return true;
        }
    }
    return false;
}

bool CCmdTarget::OnCmdMsg(unsigned id, CCmdUI* ui)
{
    if (ui) {
        auto u = m_updates.find(id);
        if (u != m_updates.end()) {
            u->second(*ui);
            return true;
        }
        if (HandlesCommand(id)) {
            ui->Enable(true);
            return true;
        }
        return false;
    }
    auto h = m_handlers.find(id);
    if (h != m_handlers.end()) {
        auto handler = h->second; // the handler may change the maps
        handler();
        return true;
    }
    for (const auto& r : m_ranges) {
        if (id >= r.first && id <= r.last) {
            auto handler = r.handler;
            handler(id);
            return true;
        }
    }
    return false;
}

void CCmdTarget::OnCommand(unsigned id, std::function<void()> handler)
{
    m_handlers[id] = std::move(handler);
}

void CCmdTarget::OnCommandRange(unsigned first, unsigned last, std::function<void(unsigned)> handler)
{
    m_ranges.push_back({first, last, std::move(handler)});
}

void CCmdTarget::OnUpdateCommandUI(unsigned id, std::function<void(CCmdUI&)> update)
{
    m_updates[id] = std::move(update);
}
