#pragma once
// A headless stage for tool and view tests: the application's main frame
// (prompt box, status bar), one drawing and a real drawing view on the
// offscreen platform, a UiScript answering message boxes and dialogs, and
// readers for what a test checks afterwards.
//
//     ToolHarness h;                      // 800 x 600 client, A3 at 1:1
//     h.Select(2, 0);                     // the drawing menu's pair
//     h.Move(10, 20);                     // mouse at model point (10, 20)
//     h.Click(10, 20);
//     h.Key(ID_ESCAPE_KEY);               // accelerator command
//     EXPECT_EQ(h.Prompt(), "...");
//     EXPECT_TRUE(h.ScreenIsFreshRedraw());
//
// Model points become client pixels through the view's own mapping, so a
// test speaks in millimetres. Shared tool state is put back to its start
// values on construction.

#include "app/MainFrame.h"
#include "app/OperateMsgBox.h"
#include "app/OrvikCadApp.h"
#include "view/OrvikCadView.h"
#include "model/Document.h"
#include "model/Settings.h"
#include "platform/PainterDc.h"
#include "platform/UiScript.h"
#include "view/DrawTool.h"
#include "view/ToolList.h"
#include "view/ToolState.h"

#include <QApplication>
#include <QImage>
#include <QStringList>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string_view>
#include <vector>

class ToolHarness {
public:
    explicit ToolHarness(int width = 800, int height = 600, bool withMainFrame = true)
    {
        ResetSharedToolState();
        if (withMainFrame) {
            started_ = AfxGetApp().InitInstance({QStringLiteral("-nologo")});
            EXPECT_TRUE(started_);
        }
        CreateTools();
        doc_ = std::make_unique<COrvikCadDoc>();
        view_ = new COrvikCadView();
        view_->AttachDrawing(doc_.get());
        view_->resize(width, height);
        view_->show();
        QApplication::processEvents();
        view_->OnInitialUpdate();
        view_->RedrawNow();
        ui_.clear();
    }
    ~ToolHarness()
    {
        delete view_;
        doc_.reset();
        if (started_)
            AfxGetApp().ExitInstance();
        QApplication::processEvents();
        ResetSharedToolState();
    }
    ToolHarness(const ToolHarness&) = delete;
    ToolHarness& operator=(const ToolHarness&) = delete;

    static void ResetSharedToolState()
    {
        CurrentToolId = 0;
        ToolSubMode = 0;
        InputPointCount = 0;
        XorPreviewShown = 0;
        OperationRestarted = 0;
        SelectionArmed = 0;
        ButtonDownPending = 0;
        TextBoxOpen = 0;
        NumericInputPending = 0;
        MagnetEnabled = 1;
        ShowDrawingRange = 1;
        ShowOriginMark = 1;
        LengthReadoutEnabled = 0;
        PaletteShown = 0;
        PaletteCategory = 0;
        PaletteSubCommand = 0;
        for (CDrawTool* tool : ToolList) {
            tool->magnetKind = 0;
            tool->ForgetMagnetMarker(nullptr);
        }
    }

    COrvikCadDoc& Doc() { return *doc_; }
    COrvikCadView& View() { return *view_; }
    platform::UiScript& Ui() { return ui_; }
    CMainFrame* Frame() const { return AfxGetMainFrame(); }

    // ---- points ----
    platform::Point Client(double x, double y) const
    {
        return {view_->XToDevice(x) - view_->FrameScrollX(), view_->YToDevice(y) - view_->FrameScrollY()};
    }
    double ModelX(platform::Point client) const { return view_->XToModel(client.x + view_->FrameScrollX()); }
    double ModelY(platform::Point client) const { return view_->YToModel(client.y + view_->FrameScrollY()); }

    // ---- mouse, at model points or client pixels ----
    void Move(double x, double y, unsigned flags = 0) { MoveAt(Client(x, y), flags); }
    void MoveAt(platform::Point p, unsigned flags = 0) { view_->OnMouseMove(flags | held_, p); }
    void LeftDown(double x, double y) { LeftDownAt(Client(x, y)); }
    void LeftDownAt(platform::Point p)
    {
        held_ |= ToolFlags::LButton;
        view_->OnLButtonDown(held_, p);
    }
    void LeftUp(double x, double y) { LeftUpAt(Client(x, y)); }
    void LeftUpAt(platform::Point p)
    {
        held_ &= ~ToolFlags::LButton;
        view_->OnLButtonUp(held_, p);
    }
    // Move there, press and release.
    void Click(double x, double y) { ClickAt(Client(x, y)); }
    void ClickAt(platform::Point p)
    {
        MoveAt(p);
        LeftDownAt(p);
        LeftUpAt(p);
    }
    void RightDownAt(platform::Point p)
    {
        held_ |= ToolFlags::RButton;
        view_->OnRButtonDown(held_, p);
    }
    void RightUpAt(platform::Point p)
    {
        held_ &= ~ToolFlags::RButton;
        view_->OnRButtonUp(held_, p);
    }
    void RightClick(double x, double y) { RightClickAt(Client(x, y)); }
    void RightClickAt(platform::Point p)
    {
        RightDownAt(p);
        RightUpAt(p);
    }
    void DoubleClick(double x, double y) { view_->OnLButtonDblClk(held_, Client(x, y)); }

    // ---- commands (menu items, accelerator keys) ----
    // Sends a command to the view as the frame's router would.
    bool Key(unsigned id) { return view_->OnCmdMsg(id, nullptr); }
    bool Command(unsigned id) { return Key(id); }
    // The drawing menu's (group, item).
    void Select(int group, int item) { view_->SelectDrawCommand(group, item); }

    // ---- readers ----
    QString Prompt() const
    {
        COperateMsgBox* box = PromptBox();
        return box ? box->PromptText() : QString();
    }
    bool Warning() const
    {
        COperateMsgBox* box = PromptBox();
        return box && box->m_bWarning != 0;
    }
    QString StatusPane(int pane) const { return Frame() ? Frame()->PaneText(pane) : QString(); }

    // Adds one record as a drawing read from a file holds it, its snap
    // points registered; the arguments are those of CEntityList::AddEntity.
    CEntity* AddRecord(const EntityHeader& header, const int16_t* codes, COLORREF colour, const double* values)
    {
        EXPECT_EQ(doc_->list.AddEntity(header, codes, colour, values), 0);
        doc_->snaps.AddEntityPoints(doc_->list.last);
        return doc_->list.last;
    }

    // Adds one record from its values and codes (a member of owner when
    // given), its snap points registered.
    CEntity* AddValues(int16_t type, std::initializer_list<double> values, std::initializer_list<int16_t> codes,
                       int16_t layer = 0, CEntity* owner = nullptr, std::string_view text = {}, int16_t subtype = 0)
    {
        EntityHeader hd;
        hd.type = type;
        hd.subtype = subtype;
        hd.layer = layer;
        hd.count = static_cast<int16_t>(values.size());
        std::vector<double> v(values);
        std::vector<int16_t> c(codes);
        CEntityList& list = doc_->list;
        const int status = owner ? list.AddChildEntity(hd, c.data(), 0, v.data(), text, {}, owner)
                                 : list.AddEntity(hd, c.data(), 0, v.data(), text);
        EXPECT_EQ(status, 0);
        doc_->snaps.AddEntityPoints(list.last);
        return list.last;
    }

    // Entities of the drawing (of one type, or all but the grid record).
    std::vector<const CEntity*> Entities(int type = -1) const
    {
        std::vector<const CEntity*> out;
        for (const CEntity* e = doc_->list.first; e; e = e->next)
            if (type == -1 ? e->type != EntityType::Grid : e->type == type)
                out.push_back(e);
        return out;
    }
    int Beeps() const { return ui_.beeps(); }
    QStringList Messages() const { return ui_.messages(); }

    // What the screen shows once pending repaints are done.
    QImage Screen()
    {
        view_->Buffer().Validate();
        return view_->Buffer().Image().copy();
    }
    // What a full redraw of the view would show now, drawn aside: the
    // screen (and every not-XOR figure on it) stays as it is.
    QImage FreshRedraw()
    {
        const QImage& shown = view_->Buffer().Image();
        QImage img(shown.size(), shown.format());
        img.fill(QColor(platform::RedOf(view_->colors[0]), platform::GreenOf(view_->colors[0]),
                        platform::BlueOf(view_->colors[0])));
        platform::PainterDc dc(img);
        dc.SetViewportOrg(-view_->FrameScrollX(), -view_->FrameScrollY());
        view_->OnDraw(dc);
        return img;
    }
    // True when the screen holds nothing a full redraw would not draw.
    bool ScreenIsFreshRedraw()
    {
        const QImage shown = Screen();
        return DifferingPixels(shown, FreshRedraw()) == 0;
    }
    // Pixels that differ between two screens.
    static int DifferingPixels(const QImage& a, const QImage& b)
    {
        if (a.size() != b.size())
            return a.width() * a.height() + b.width() * b.height();
        int n = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                n += a.pixel(x, y) != b.pixel(x, y);
        return n;
    }

private:
    COperateMsgBox* PromptBox() const
    {
        CMainFrame* f = Frame();
        return f ? f->PromptBox() : nullptr;
    }

    platform::UiScript ui_;
    bool started_ = false;
    std::unique_ptr<COrvikCadDoc> doc_;
    COrvikCadView* view_ = nullptr;
    unsigned held_ = 0;
};
