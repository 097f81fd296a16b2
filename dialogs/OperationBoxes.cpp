#include "dialogs/OperationBoxes.h"

#include "dialogs/OpeAnnotationBoxes.h"
#include "dialogs/OpeCircleBoxes.h"
#include "dialogs/OpeEditBoxes.h"
#include "dialogs/OpeLineBoxes.h"
#include "dialogs/OpePointBoxes.h"
#include "dialogs/OpeSelectBox.h"
#include "dialogs/OpeShapeBoxes.h"

COperationBox* CreateOperationBox(int kind, QWidget* parent)
{
    switch (kind) {
    case 1: return new COpeZahyoBox(parent);
    case 2: return new COpeKyoriBox(parent);
    case 3: return new COpeAngleBox(parent);
    case 4: return new OpeHabatukiBox(parent);
    case 5: return new COpeCircleBox(parent);
    case 6: return new COpeArcBox(parent);
    case 7: return new COpeRectBox(parent);
    case 8: return new COpePolyBox(parent);
    case 9: return new COpeCornerBox(parent);
    case 10: return new COpeMoveBox(parent);
    case 11: return new COpeHatBox(parent);
    case 12: return new COpeDimBox(parent);
    case 13: return new COpeTextBox(parent);
    case 14: return new COpeTextPlusBox(parent);
    case 15: return new COpeMugenBox(parent);
    case 16: return new COpeParallelBox(parent);
    case 17: return new COpeLineBox(parent);
    case 18: return new COpeRenzokuLineBox(parent);
    case 19: return new COpeStretchBox(parent);
    case 20: return new COpeKakudaiBox(parent);
    case 21: return new COpeOffsetBox(parent);
    case 22: return new COpePointBox(parent);
    case 23: return new COpePaintBox(parent);
    case 24: return new COpeMoveZahyoDlg(parent);
    case 25: return new COpeSelectBox(parent);
    default: return nullptr;
    }
}
