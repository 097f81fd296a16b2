#include "AppFixture.h"

#include "dialogs/PopLayer.h"
#include "view/RecentFileList.h"
#include "model/Settings.h"
#include "dialogs/LayerPropatyDlg.h"
#include "platform/Controls.h"
#include "resources/Resource.h"

#include <QLabel>
#include <QLineEdit>

TEST(RecentFileList, HoldsFourEntriesNewestFirst)
{
    CRecentFileList list(4);
    for (const char* p : {"/a/1.orv", "/a/2.orv", "/a/3.orv", "/a/4.orv", "/a/5.orv"}) {
        list.Add(QString::fromLatin1(p));
    }
    EXPECT_EQ(list.Files(), (QStringList{"/a/5.orv", "/a/4.orv", "/a/3.orv", "/a/2.orv"}));
    list.Add(QStringLiteral("/a/3.orv"));
    EXPECT_EQ(list.Files(), (QStringList{"/a/3.orv", "/a/5.orv", "/a/4.orv", "/a/2.orv"}));
    EXPECT_EQ(AfxGetApp().m_pMainWnd, nullptr);
    EXPECT_EQ(RecentFiles().GetSize(), 4);
}

TEST(ImportNaming, UpperCaseNameCutAtTrailingExtension)
{
    struct Case {
        const char* file;
        const char* ext;
        const char* path;
    };
    for (Case c : {Case{"plan.dxf", ".DXF", "/f/PLAN.ORV"}, Case{"Plan.Jww", ".JWW", "/f/PLAN.ORV"},
                   Case{"a.dxf.dxf", ".DXF", "/f/A.DXF.ORV"}, Case{"A.DXFDATA.DXF", ".DXF", "/f/A.DXFDATA.ORV"},
                   Case{"a.dxfdata", ".DXF", "/f/A.DXFDATA.ORV"}, Case{"図面.jwc", ".JWC", "/f/図面.ORV"}}) {
        EXPECT_EQ(ImportedDocumentPath("/f", QString::fromUtf8(c.file), c.ext), QString::fromUtf8(c.path)) << c.file;
    }
}

TEST(Printer, PrintableMillimetresTruncate)
{
    EXPECT_EQ(PrintableMillimetres(4800, 600), 203);
    EXPECT_EQ(PrintableMillimetres(100, 0), 0);
}

TEST_F(AppTest, OptionPanelIsBuiltOncePerKind)
{
    Start();
    int made = 0;
    CMainFrame::SetPanelFactory([&made](int kind, QWidget* parent) {
        ++made;
        auto* panel = new QLabel(QStringLiteral("panel %1").arg(kind), parent);
        panel->setObjectName(QStringLiteral("panel%1").arg(kind));
        return panel;
    });
    EXPECT_EQ(frame->SetOperationBox(5), 1);
    EXPECT_EQ(frame->SetOperationBox(5), 0);
    EXPECT_EQ(made, 1);
    ASSERT_NE(frame->OperationBox(5), nullptr);
    EXPECT_EQ(frame->SetOperationBox(17), 1);
    EXPECT_EQ(frame->OperationBox(5), nullptr);
    ASSERT_NE(frame->OperationBox(17), nullptr);
    EXPECT_EQ(frame->OptionBarHost()->findChildren<QLabel*>().size(), 1);
    EXPECT_EQ(frame->SetOperationBox(0), 1);
    EXPECT_EQ(frame->OperationBox(17), nullptr);
    EXPECT_EQ(frame->ShownPanelKind(), 0);
    CMainFrame::SetPanelFactory(nullptr);
}

TEST_F(AppTest, LayerCommandsNeedTheLayerList)
{
    Start();
    platform::UiScript ui;
    frame->SendCommand(ID_LAYER_ADD);
    EXPECT_TRUE(ui.calls().empty());

    frame->SendCommand(ID_VIEW_LAYER_LIST);
    ASSERT_NE(frame->LayerList(), nullptr);
    frame->UpdateCommandUI();
    EXPECT_TRUE(frame->CommandAction(ID_VIEW_LAYER_LIST)->isChecked());

    ui.dialog([](QDialog& d) {
        EXPECT_EQ(platform::control<QLineEdit>(&d, CLayerPropatyDlg::IDC_LAYER_NAME)->text(),
                  QStringLiteral("Layer11"));
        d.accept();
    });
    frame->SendCommand(ID_LAYER_ADD);
    EXPECT_EQ(LayerCount, 11);
    EXPECT_EQ(CurrentLayer, 10);
    EXPECT_EQ(LayerStates[10], 1);
    EXPECT_EQ(frame->LayerList()->LineText(10), QStringLiteral(" □ Layer11"));

    ui.dialog([](QDialog& d) {
        platform::control<QLineEdit>(&d, CLayerPropatyDlg::IDC_LAYER_NAME)->setText(QStringLiteral("寸法"));
        d.accept();
    });
    frame->SendCommand(ID_LAYER_PROPERTY);
    EXPECT_EQ(FromCp932(LayerNames[10]), QStringLiteral("寸法"));
    EXPECT_EQ(frame->LayerList()->LineText(10), QStringLiteral(" □ 寸法"));

    frame->SendCommand(ID_LAYER_NORMAL);
    EXPECT_EQ(LayerStates[10], 2);
    EXPECT_EQ(frame->LayerList()->LineText(10), QStringLiteral(" ■ 寸法"));

    frame->SendCommand(ID_VIEW_LAYER_LIST);
    EXPECT_EQ(frame->LayerList(), nullptr);
    EXPECT_TRUE(ui.problems().isEmpty()) << ui.problems().join("\n").toStdString();
}

TEST_F(AppTest, AddingA129thLayerIsRefused)
{
    Start();
    frame->ShowLayerList();
    const int16_t saved = LayerCount;
    LayerCount = MaxLayers;
    platform::UiScript ui;
    frame->SendCommand(ID_LAYER_ADD);
    EXPECT_EQ(LayerCount, MaxLayers);
    EXPECT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.calls(platform::UiKind::Dialog).size(), 0u);
    LayerCount = saved;
}
