#pragma once
// What every entity property dialog shares: the pen list (a pen choice also
// chooses its colour), the line-type list (nothing selected at first, so an
// untouched list keeps the entity's line type), the colour button showing
// the colour, the preview box with its white frame, and the OK/Cancel row.

#include "dialogs/LineComboBox.h"
#include "dialogs/PenComboBox.h"
#include "dialogs/PropertyFields.h"
#include "model/Entity.h"
#include "platform/Dc.h"
#include "model/Notify.h"
#include "platform/Dialog.h"

#include <QPushButton>

class QGroupBox;
class QLineEdit;

#include <array>
#include <initializer_list>
#include <utility>
#include <functional>

class QBoxLayout;
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

protected:
    CPropertyDialog(unsigned resourceId, const QString& caption, QWidget* parent);

    // The pen list on combo box id, filled from PenColors (not yet selected).
    CPenComboBox* MakePenList(int id);
    // The line-type list on combo box id, filled with the eight line types.
    CLineComboBox* MakeLineTypeList(int id);
    QPushButton* MakeColorButton(int id);
    // The framed line-type, pen and colour rows every property dialog shows,
    // under the given captions, with the dialog's own control ids.
    QGroupBox* MakeStyleBox(const QString& caption, const QString& lineTypeLabel, int lineTypeId, int penId,
                            int colorId);
    // A preview static that frames itself white and calls DrawPreview.
    QWidget* MakePreview(int id, int width = 100, int height = 100);
    // The framed preview under caption (MakePreview inside a group box).
    QGroupBox* MakePreviewBox(const QString& caption, int id, int width = 100, int height = 100);
    // Copies each edit's text into its string (save) or back (load).
    static void ExchangeTexts(bool save, std::initializer_list<std::pair<QLineEdit*, QString*>> fields);
    // OK "実　行" and Cancel cancelText, right-aligned.
    QBoxLayout* MakeOkCancelRow(const QString& cancelText);

    // Selects the pen item and shows the colour (for OnInitDialog).
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
};
