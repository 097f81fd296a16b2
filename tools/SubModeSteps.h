#pragma once
// A tool's sub-modes as a table. Each row holds what one sub-mode does on a
// left click, on a mouse move and on the right button, and what it asks at
// its first step; the tool's OnLButtonUp, OnMouseMove, OnRButtonDown and
// Reset look up the row of ToolSubMode and call through it, so everything a
// sub-mode does is read in one place instead of in a switch per event.
//
// A tool that needs more per sub-mode (prompts of later steps, a double
// click) keeps its own row type holding a SubModeStep and those members.

#include "platform/Dc.h"

#include <cstddef>

class COrvikCadView;

template <class Tool>
struct SubModeStep {
    using PointHandler = void (Tool::*)(COrvikCadView* view, platform::Point point);
    using ViewHandler = void (Tool::*)(COrvikCadView* view);

    const char* prompt = "";        // asked at the first step (UTF-8; empty: nothing)
    PointHandler click = nullptr;   // a left click (null: ignored)
    PointHandler move = nullptr;    // a mouse move (null: nothing to preview)
    ViewHandler cancel = nullptr;   // the right button (null: the tool's own common cancel)
};

// The row of subMode, or null for a sub-mode the table does not have.
template <class Row, std::size_t N>
const Row* FindSubModeRow(const Row (&table)[N], int subMode)
{
    if (subMode < 0 || static_cast<std::size_t>(subMode) >= N)
        return nullptr;
    return &table[subMode];
}

// Calls one of a row's point handlers when it is set; true when it ran.
template <class Tool>
bool RunStep(Tool& tool, typename SubModeStep<Tool>::PointHandler handler, COrvikCadView* view,
             platform::Point point)
{
    if (!handler)
        return false;
    (tool.*handler)(view, point);
    return true;
}

// Calls a row's cancel when it is set; true when it ran.
template <class Tool>
bool RunStep(Tool& tool, typename SubModeStep<Tool>::ViewHandler handler, COrvikCadView* view)
{
    if (!handler)
        return false;
    (tool.*handler)(view);
    return true;
}
