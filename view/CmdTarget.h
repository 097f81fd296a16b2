#pragma once
// Command targets: objects that handle menu, toolbar and accelerator commands
// by their numeric ids. The main frame routes each command along
// view -> document -> child frame -> main frame -> application; the first
// target with a handler for the id takes it. Update handlers decide whether a
// command's menu item or button is enabled and checked; a command that no
// target along the route handles is disabled.

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

// The state of one command's menu items and buttons, filled by update handlers.
class CCmdUI {
public:
    explicit CCmdUI(unsigned id) : m_nID(id) {}
    void Enable(bool on = true) { m_bEnabled = on; }
    void SetCheck(int check = 1) { m_nCheck = check; }
    void SetText(const std::string& utf8) { m_text = utf8; m_bTextSet = true; }

    unsigned m_nID;
    bool m_bEnabled = true;
    int m_nCheck = -1; // -1: not a check item (update handler did not say)
    std::string m_text;
    bool m_bTextSet = false;
};

class CCmdTarget {
public:
    CCmdTarget() = default;
    virtual ~CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Offers command id to this target. ui null: run its handler. ui given:
    // fill ui through the update handler (a handler without an update handler
    // leaves the command enabled). Returns false when this target does not
    // handle the id.
    virtual bool OnCmdMsg(unsigned id, CCmdUI* ui);

    // True when this target has a handler for id.
    bool HandlesCommand(unsigned id) const;

protected:
    void OnCommand(unsigned id, std::function<void()> handler);
    void OnCommandRange(unsigned first, unsigned last, std::function<void(unsigned)> handler);
    void OnUpdateCommandUI(unsigned id, std::function<void(CCmdUI&)> update);

private:
    std::unordered_map<unsigned, std::function<void()>> m_handlers;
    std::unordered_map<unsigned, std::function<void(CCmdUI&)>> m_updates;
    struct Range {
        unsigned first, last;
        std::function<void(unsigned)> handler;
    };
    std::vector<Range> m_ranges;
};
