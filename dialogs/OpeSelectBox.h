#pragma once
// The selection command's option panel: six one-click operations on the
// selected entities (to front, to back, mirror left-right and up-down, turn by
// 90 degrees either way). Each flat button lies over its picture and caption;
// a click hands the operation's number to the view through command 32900.

#include "dialogs/OperationBox.h"

#include <QImage>

class CMyFlatButton;

class COpeSelectBox : public COperationBox {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 284;
    static constexpr int IDC_FIRST_BUTTON = 1493;  // 1493..1498: operations 1..6
    static constexpr int kOperations = 6;

    explicit COpeSelectBox(QWidget* parent = nullptr);

    // The picture of operation 1..6 (resources 190, 192..196).
    static QImage OperationPicture(int operation);
    static int PictureId(int operation) { return operation == 1 ? 190 : 190 + operation; }

private:
    void OnOperation(int operation);
};
