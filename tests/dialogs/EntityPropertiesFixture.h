#pragma once
// A drawing on a real view for the property dialogs: entities are added in
// code, the dialogs are answered through the harness's UiScript.

#include "../common/ToolHarness.h"
#include "DialogGestures.h"

#include "dialogs/EntityProperties.h"
#include "model/EditProtocol.h"
#include "platform/Controls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>

#include <initializer_list>
#include <utility>
#include <vector>

class EntityPropertiesTest : public DialogGestures {
protected:
    EntityPropertiesTest() : h(800, 600, false)
    {
        platform::installUiNotifier();
        h.Doc().DrawingOrigin[0] = h.Doc().DrawingOrigin[1] = 0.0;
    }

    CEntity* Add(int16_t type, int16_t subtype, int16_t style, std::vector<double> values,
                 std::vector<int16_t> codes = {}, COLORREF colour = 0x000000)
    {
        COrvikCadDoc& doc = h.Doc();
        const EntityHeader header{type, subtype, style, 0, static_cast<int16_t>(values.size())};
        if (codes.empty() && type != EntityType::FreehandCurve && type != EntityType::Polygon)
            codes.assign(values.size(), 10);
        EXPECT_EQ(doc.list.AddEntity(header, codes.empty() ? nullptr : codes.data(), colour, values.data()), 0);
        doc.snaps.AddEntityPoints(doc.list.last);
        return doc.list.last;
    }
    CEntity* AddLine(int16_t type, double x1, double y1, double x2, double y2, int16_t style = 0)
    {
        return Add(type, 0, style, {x1, y1, x2, y2}, {10, 20, 11, 22});
    }

    // Runs the dispatcher with fill answering the dialog.
    int Edit(CEntity* entity, std::function<void(QDialog&)> fill)
    {
        h.Ui().dialog(std::move(fill));
        return EditEntityProperties(&h.View(), entity);
    }

    // What a dialog said when fields were typed into and OK was pressed:
    // the messages shown, the field that then had the focus, and the
    // dispatcher's answer after Cancel closed the dialog.
    struct Refusal {
        QStringList messages;
        int focus = -1;
        int result = -1;
    };
    Refusal TypeAndConfirm(CEntity* entity, const std::vector<std::pair<int, const char*>>& typed)
    {
        h.Ui().clear();
        Refusal r;
        r.result = Edit(entity, [&](QDialog& d) {
            for (const auto& [id, text] : typed)
                SetField(d, id, QString::fromUtf8(text));
            Press(d, IDOK);
            r.focus = FocusId(d);
            Press(d, IDCANCEL);
        });
        r.messages = h.Ui().messages();
        return r;
    }

    // The gestures on the dialog the script answers.
    static int FocusId(QDialog& d) { return DialogGestures::FocusId(&d); }
    static QLineEdit* Field(QDialog& d, int id) { return Ctrl<QLineEdit>(&d, id); }
    static void SetField(QDialog& d, int id, const QString& text) { SetText(&d, id, text); }
    static void Press(QDialog& d, int id) { Click(&d, id); }
    static void Pick(QDialog& d, int id, int index) { Choose(&d, id, index); }

    // The entities of the drawing but its grid record, in list order.
    std::vector<CEntity*> ListEntities()
    {
        std::vector<CEntity*> out;
        for (CEntity* e = h.Doc().list.first; e; e = e->next)
            if (e->type != EntityType::Grid)
                out.push_back(e);
        return out;
    }

    ToolHarness h;
};
