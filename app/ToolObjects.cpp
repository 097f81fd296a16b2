// The seventeen tool objects, built once in this order, which is therefore
// the order of ToolList. They live until the process ends.

#include "app/Components.h"

#include "view/ToolList.h"
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

namespace {

void BuildTools()
{
    static CSelectTool selectTool;
    static CPointTool pointTool;
    static CLineTool lineTool;
    static CCurveTool curveTool;
    static CCircleTool circleTool;
    static CPolyTool polyTool;
    static CTextTool textTool;
    static CDeleteTool deleteTool;
    static CDimensionTool dimensionTool;
    static CExpansionTool expansionTool;
    static CCornerTool cornerTool;
    static CMoveTool moveTool;
    static CHatchiTool hatchiTool;
    static CImageTool imageTool;
    static CDevelopTool developTool;
    static CInportTool inportTool;
    static CTransformTool transformTool;
}

} // namespace

void InstallTools()
{
    SetToolMaker(&BuildTools);
}
