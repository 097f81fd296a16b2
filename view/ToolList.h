#pragma once
// The list of every tool object, in the order the tools were built. The
// view finds the current tool here for each call it forwards.

#include <cstddef>
#include <utility>
#include <vector>

class CDrawTool;

class CToolList {
public:
    // Appends a tool at the tail (the tool's constructor does this).
    void AddTail(CDrawTool* tool) { tools_.push_back(tool); }
    // Takes a tool out (a tool that goes away before the run ends).
    void Remove(CDrawTool* tool);
    // Puts back an order taken from begin()..end() earlier.
    void Assign(std::vector<CDrawTool*> tools) { tools_ = std::move(tools); }
    std::size_t GetCount() const { return tools_.size(); }
    CDrawTool* GetAt(std::size_t i) const { return tools_[i]; }
    // The first tool from the head whose toolId is id; null when none is.
    CDrawTool* Find(int id) const;

    auto begin() const { return tools_.begin(); }
    auto end() const { return tools_.end(); }

private:
    std::vector<CDrawTool*> tools_;
};

extern CToolList ToolList;

// Builds the tool objects in their fixed order with the maker the
// application installed, once per run; later calls do nothing, and so does
// a call before a maker is installed.
void CreateTools();
// Installs the function that builds every tool (each adds itself to ToolList)
// and the one that builds them all again in their places.
void SetToolMaker(void (*maker)(), void (*rebuilder)());

// Builds every tool object again in its place: each is as its constructor
// left it, with nothing of a running operation. The shared tool state
// (ToolState.h) is not restored.
void ResetToolsToDefaults();

// The tool that receives the view's calls (CurrentToolId), or null. The
// tools are built first if they were not yet.
CDrawTool* FindCurrentTool();
