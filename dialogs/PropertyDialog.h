#pragma once
// What every entity property dialog shares: the pen list (a pen choice also
// chooses its colour), the line-type list (nothing selected at first, so an
// untouched list keeps the entity's line type), the colour button showing
// the colour, the preview box with its white frame, the framed rows of
// numeric fields (listed in the dialog's data exchange with the property
// fields' rule), the framed choice of the entity's kind and the OK/Cancel
// row.

#include "dialogs/LineComboBox.h"
#include "dialogs/OpeAnnotationBoxes.h"
#include "dialogs/PenComboBox.h"
#include "dialogs/PropertyFields.h"
#include "model/Entity.h"
#include "platform/Dc.h"
#include "model/Notify.h"
#include "platform/Dialog.h"

#include <QPushButton>

#include <array>
#include <functional>
#include <initializer_list>
#include <string>

class QBoxLayout;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

// The custom colours every colour chooser of the program shares.
extern std::array<COLORREF, 16> CustomColors;

class CPropertyDialog : public CDialog {
    Q_OBJECT
public:
    int pen = 0;          // 0..7, index into PenColors
    int lineType = 0;     // 0..7, the line type of the style word
    COLORREF colour = 0;

    CPenComboBox* PenList() const { return m_penList; }
    CLineComboBox* LineTypeList() const { return m_lineList; }
    // The colour the colour button shows.
    COLORREF ButtonColour() const { return m_buttonColour; }

    void OnSelchangePen(int index);
    void OnSelchangeLineType(int index);
    void OnColorButton();
    void PaintColorButton(int red, int green, int blue);

    // One labelled numeric field of a framed box.
    struct NumberRow {
        QString label;
        int id;
        double* member;
        QString emptyMessage;  // "…が入力されていません！"
        QString badMessage;    // "…の入力に誤りがあります！"
        bool positive = false; // a value <= 0 is refused with badMessage too
        int maxLength = PropertyFieldLength;
        int labelId = 0;       // the label's control id; 0: none
    };

protected:
    // One radio button of a framed choice, with what a click on it does.
    struct Choice {
        QString text;
        int id;
        std::function<void()> clicked;
    };

    CPropertyDialog(unsigned resourceId, const QString& caption, QWidget* parent);

    // The framed box of rows (label, edit) under caption; each edit is added
    // to the data exchange in the order given. edits and labels, when given,
    // receive the controls made, one per row.
    QGroupBox* MakeNumberBox(const QString& caption, std::initializer_list<NumberRow> rows,
                             QLineEdit** edits = nullptr, QLabel** labels = nullptr);
    // The framed start and end angle rows of an arc ("開始角度", "終了角度");
    // they form a group of the exchange looked at only while inUse answers
    // true, after every field before them passed. edits receives the two.
    QGroupBox* MakeAngleBox(const QString& caption, std::function<bool()> inUse, int startId, double& start,
                            int endId, double& end, int endMaxLength, QLineEdit** edits);
    // The framed column of radio buttons under caption; buttons receives
    // them, one per choice.
    QGroupBox* MakeChoiceBox(const QString& caption, std::initializer_list<Choice> choices, QRadioButton** buttons);
    // The pen list on combo box id, filled from PenColors (not yet selected);
    // the dialog shows the pen and the colour when it opens.
    CPenComboBox* MakePenList(int id);
    // The line-type list on combo box id, filled with the eight line types.
    CLineComboBox* MakeLineTypeList(int id);
    QPushButton* MakeColorButton(int id);
    // A button that shows a colour (filled by PaintButton); the caller wires
    // its click.
    QPushButton* MakeSwatchButton(int id);
    // Shows colour on button, filling it but for a narrow margin.
    static void PaintButton(QPushButton* button, COLORREF colour);
    // The list of installed fonts on combo box id: filled when the dialog
    // opens with face selected (the last name it begins, blanks aside, else
    // the first); a choice sets face to the name chosen.
    QComboBox* MakeFontList(int id, std::string& face);
    // The framed line-type, pen and colour rows every property dialog shows,
    // under the given captions, with the dialog's own control ids.
    QGroupBox* MakeStyleBox(const QString& caption, const QString& lineTypeLabel, int lineTypeId, int penId,
                            int colorId);
    // A preview static that frames itself white and calls DrawPreview.
    QWidget* MakePreview(int id, int width = 100, int height = 100);
    // The framed preview under caption (MakePreview inside a group box).
    QGroupBox* MakePreviewBox(const QString& caption, int id, int width = 100, int height = 100);
    // OK "実　行" and Cancel cancelText, right-aligned; Enter on the cancel
    // button presses OK.
    QBoxLayout* MakeOkCancelRow(const QString& cancelText);

    // The face of the preview sketches' texts: "ＭＳゴシック", fixed pitch,
    // Shift-JIS, at the given cell height and average width.
    static platform::Font SketchFont(int height, int width);

    // Selects the pen item and shows the colour.
    void ShowPenAndColour();
    void RepaintPreview();
    // The fixed sketch of the preview box, in black, inside r.
    virtual void DrawPreview(platform::Dc& dc, const platform::Rect& r);

private:
    CPenComboBox* m_penList = nullptr;
    CLineComboBox* m_lineList = nullptr;
    QPushButton* m_colorButton = nullptr;
    QWidget* m_preview = nullptr;
    COLORREF m_buttonColour = 0;
    CFontNameList m_fontNames;
};
