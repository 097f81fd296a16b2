// The seventeen tool objects, built once in this order, which is therefore
// the order of ToolList.

#include "app/Components.h"

#include "view/ToolList.h"
#include "view/DrawTool.h"

#include "edit_tools/SelectTool.h"
#include "tools/PointTool.h"
#include "tools/LineTool.h"
#include "tools/CurveTool.h"
#include "tools/CircleTool.h"
#include "tools/PolyTool.h"
#include "tools/TextTool.h"
#include "edit_tools/DeleteTool.h"
#include "annotation_tools/DimensionTool.h"
#include "edit_tools/ExpansionTool.h"
#include "edit_tools/CornerTool.h"
#include "edit_tools/MoveTool.h"
#include "annotation_tools/HatchiTool.h"
#include "annotation_tools/ImageTool.h"
#include "annotation_tools/DevelopTool.h"
#include "annotation_tools/InportTool.h"
#include "edit_tools/TransformTool.h"

#include <new>

namespace {

// Room for one tool object that can be built again in the same place, so
// that every pointer to it (ToolList among them) stays good.
template <class T> class ToolSlot {
public:
    void Build() { new (storage_) T; }
    void Destroy() { std::launder(reinterpret_cast<T*>(storage_))->~T(); }

private:
    alignas(T) unsigned char storage_[sizeof(T)];
};

#define ORVIK_TOOL_CLASSES(X)                                                                                    \
    X(CSelectTool) X(CPointTool) X(CLineTool) X(CCurveTool) X(CCircleTool) X(CPolyTool) X(CTextTool)            \
    X(CDeleteTool) X(CDimensionTool) X(CExpansionTool) X(CCornerTool) X(CMoveTool) X(CHatchiTool) X(CImageTool) \
    X(CDevelopTool) X(CInportTool) X(CTransformTool)

// The objects live until the process ends; they are never destroyed at exit.
#define ORVIK_TOOL_SLOT(T) ToolSlot<T> slot##T;
ORVIK_TOOL_CLASSES(ORVIK_TOOL_SLOT)
#undef ORVIK_TOOL_SLOT

void BuildAll()
{
#define ORVIK_BUILD_TOOL(T) slot##T.Build();
    ORVIK_TOOL_CLASSES(ORVIK_BUILD_TOOL)
#undef ORVIK_BUILD_TOOL
}

void RebuildAll()
{
#define ORVIK_DESTROY_TOOL(T) slot##T.Destroy();
    ORVIK_TOOL_CLASSES(ORVIK_DESTROY_TOOL)
#undef ORVIK_DESTROY_TOOL
    BuildAll();
}

} // namespace

void InstallTools()
{
    SetToolMaker(&BuildAll, &RebuildAll);
}
