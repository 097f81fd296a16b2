// The parts palette: its tree of the parts folder, loading a chosen part into
// EntityBuffer, the placement fields and emptying the buffer on close.

#include "dialogs/PopInportDlg.h"

#include "dialogs/PartsLoad.h"
#include "exchange/DocumentImport.h"
#include "exchange/DxfFile.h"
#include "exchange/JwwFile.h"
#include "model/DrawingFile.h"
#include "model/EntityKinds.h"
#include "model/EntityTransform.h"
#include "model/Settings.h"
#include "platform/Controls.h"
#include "platform/UiScript.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace {

namespace fs = std::filesystem;

int Count(const CEntityList& list)
{
    int n = 0;
    for (const CEntity* e = list.first; e; e = e->next)
        ++n;
    return n;
}

QTreeWidgetItem* Find(QTreeWidgetItem* parent, const QString& name)
{
    for (int i = 0; i < parent->childCount(); ++i)
        if (parent->child(i)->text(0) == name)
            return parent->child(i);
    return nullptr;
}

class PopInportDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        root = fs::path(dir.path().toStdString()) / "parts";
        fs::create_directories(root);
        fs::create_directories(fs::path(dir.path().toStdString()) / "outside");
        std::ofstream(fs::path(dir.path().toStdString()) / "outside" / "x.dxf") << "x";
        fs::create_directory_symlink(fs::path(dir.path().toStdString()) / "outside", root / "linked");
        PartsFolder = root.string();

        // A 100 x 50 part: two diagonal lines of a box.
        CEntityList part;
        AddEntityCopy(part, *MakeRecord(EntityType::Line, {0, 0, 100, 50}));
        AddEntityCopy(part, *MakeRecord(EntityType::Line, {0, 50, 100, 0}));
        CDxfFile dxf;
        ASSERT_EQ(dxf.Write(root / "a.dxf", part.first), DxfWriteOk);
        std::vector<uint8_t> native;
        CDrawingFile file;
        ASSERT_EQ(file.WriteDrawing(native, part.first), DrawingFileOk);
        std::ofstream(root / "b.ORV", std::ios::binary)
            .write(reinterpret_cast<const char*>(native.data()), std::streamsize(native.size()));
        for (const char* name : {"c.jww", "d.jwc", "e.bmp", "f.dxf.bak", "g.old.dxf"})
            std::ofstream(root / name) << "not a part";
    }
    void TearDown() override { EntityBuffer.RemoveAll(); }

    std::unique_ptr<CPopInportDlg> Open()
    {
        auto dlg = std::make_unique<CPopInportDlg>();
        dlg->show();
        return dlg;
    }
    static void Choose(CPopInportDlg& dlg, const QString& name)
    {
        QTreeWidgetItem* item = Find(dlg.Tree()->topLevelItem(0), name);
        ASSERT_NE(item, nullptr) << name.toStdString();
        dlg.Tree()->setCurrentItem(item);
    }
    static void Type(CPopInportDlg& dlg, int id, const QString& text)
    {
        auto* edit = platform::control<QLineEdit>(&dlg, id);
        edit->setText(text);
        emit edit->editingFinished();
    }
    static QString Field(CPopInportDlg& dlg, int id) { return platform::control<QLineEdit>(&dlg, id)->text(); }

    QTemporaryDir dir;
    fs::path root;
    platform::UiScript ui;
};

TEST_F(PopInportDlgTest, TreeListsPartFilesOnly)
{
    AddEntityCopy(EntityBuffer, *MakeRecord(EntityType::Line, {0, 0, 1, 1}));
    auto dlg = Open();
    // Opening empties the buffer.
    EXPECT_EQ(Count(EntityBuffer), 0);
    ASSERT_EQ(dlg->Tree()->topLevelItemCount(), 1);
    QTreeWidgetItem* top = dlg->Tree()->topLevelItem(0);
    EXPECT_EQ(top->text(0).toStdString(), fs::absolute(root).string());
    QStringList names;
    for (int i = 0; i < top->childCount(); ++i)
        names << top->child(i)->text(0);
    EXPECT_EQ(names, (QStringList{"a.dxf", "b.ORV", "c.jww"}));
}

TEST_F(PopInportDlgTest, ChoosingAPartLoadsItAndFitsThePreview)
{
    PartsBase = 0;
    for (const QString& name : {QStringLiteral("b.ORV"), QStringLiteral("a.dxf")}) {
        auto dlg = Open();
        Choose(*dlg, name);
        EXPECT_EQ(Count(EntityBuffer), 2) << name.toStdString();
        EXPECT_EQ(PartsBaseX, 50) << name.toStdString();
        EXPECT_EQ(PartsBaseY, 25);
        EXPECT_EQ(dlg->SizeLine(), QStringLiteral("作図サイズ： 横幅 100 　縦幅 50"));
        dlg->grab();  // paints the pane and the size line
        EXPECT_GT(dlg->unitsPerPixel, 0.0);
    }
}

TEST_F(PopInportDlgTest, FailedReadShowsTheMessageAndLeavesTheBufferEmpty)
{
    auto dlg = Open();
    Choose(*dlg, "b.ORV");
    ASSERT_EQ(Count(EntityBuffer), 2);
    Choose(*dlg, "c.jww");
    EXPECT_EQ(Count(EntityBuffer), 0);
    EXPECT_EQ(dlg->SizeLine(), QString::fromUtf8(JwwNotJwwMessage));
    // Choosing the folder changes nothing.
    dlg->Tree()->setCurrentItem(dlg->Tree()->topLevelItem(0));
    EXPECT_EQ(Count(EntityBuffer), 0);
}

TEST_F(PopInportDlgTest, OldJwwVersionIsReportedInABox)
{
    std::ofstream(root / "old.jww", std::ios::binary).write("JwwData.\xc8\0\0\0", 12);
    ui.button(1);
    auto dlg = Open();
    Choose(*dlg, "old.jww");
    EXPECT_EQ(ui.messages(), QStringList{QString::fromUtf8(PartsOldJwwMessage)});
    EXPECT_EQ(Count(EntityBuffer), 0);
}

TEST_F(PopInportDlgTest, ScaleAndAngleFieldsKeepTheirRange)
{
    auto dlg = Open();
    struct Case {
        int id;
        const char* typed;
        double expected;  // the global afterwards
        const char* shown;
    };
    const Case cases[] = {
        {CPopInportDlg::IDC_SCALE, "2", 2.0, "2"},
        {CPopInportDlg::IDC_SCALE, "0.0005", 2.0, "2"},
        {CPopInportDlg::IDC_SCALE, "1000", 1000.0, "1000"},
        {CPopInportDlg::IDC_SCALE, "1001", 1000.0, "1000"},
        {CPopInportDlg::IDC_ANGLE, "-360", -360.0, "-360"},
        {CPopInportDlg::IDC_ANGLE, "361", -360.0, "-360"},
        {CPopInportDlg::IDC_ANGLE, "360", 360.0, "360"},
    };
    for (const Case& c : cases) {
        Type(*dlg, c.id, QString::fromUtf8(c.typed));
        EXPECT_EQ(c.id == CPopInportDlg::IDC_SCALE ? PartsScale : PartsAngle, c.expected) << c.typed;
        EXPECT_EQ(Field(*dlg, c.id), QString::fromUtf8(c.shown)) << c.typed;
    }
    EXPECT_TRUE(ui.messages().isEmpty());
    // A new part shows scale 1 and angle 0 again.
    Choose(*dlg, "a.dxf");
    EXPECT_EQ(Field(*dlg, CPopInportDlg::IDC_SCALE), "1");
    EXPECT_EQ(Field(*dlg, CPopInportDlg::IDC_ANGLE), "0");
}

TEST_F(PopInportDlgTest, BaseSelectionMovesTheReferencePoint)
{
    PartsBase = 0;
    auto dlg = Open();
    Choose(*dlg, "a.dxf");
    auto* base = platform::control<QComboBox>(dlg.get(), CPopInportDlg::IDC_BASE);
    struct Case {
        int index;
        double x, y;
    };
    for (const Case& c : {Case{2, 0, 50}, Case{1, 0, 0}, Case{0, 50, 25}}) {
        base->setCurrentIndex(c.index);
        emit base->activated(c.index);
        EXPECT_EQ(PartsBase, c.index);
        EXPECT_EQ(PartsBaseX, c.x) << c.index;
        EXPECT_EQ(PartsBaseY, c.y) << c.index;
    }
}

TEST_F(PopInportDlgTest, ClosingEmptiesTheBuffer)
{
    auto dlg = Open();
    int closed = 0;
    QObject::connect(dlg.get(), &CPopInportDlg::closed, [&closed] { ++closed; });
    Choose(*dlg, "b.ORV");
    ASSERT_EQ(Count(EntityBuffer), 2);
    dlg->close();
    EXPECT_EQ(Count(EntityBuffer), 0);
    EXPECT_EQ(closed, 1);
    // Destroying it empties it too.
    Choose(*dlg, "a.dxf");
    ASSERT_EQ(Count(EntityBuffer), 2);
    dlg.reset();
    EXPECT_EQ(Count(EntityBuffer), 0);
}

} // namespace
