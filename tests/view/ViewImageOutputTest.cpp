// Pictures of the drawing: a boxed region of the screen saved as an image
// file, the drawing as a metafile file and on the clipboard.

#include "common/CursorCheck.h"
#include "common/EmfToSvg.h"
#include "common/ToolHarness.h"

#include "platform/Clipboard.h"
#include "view/FrameHost.h"
#include "platform/Images.h"
#include "resources/Resource.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>
#include <QTemporaryDir>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <regex>
#include <string>

namespace {

// Metafile record types of the line drawing calls.
constexpr std::uint32_t EmrPolyline = 4, EmrLineTo = 54, EmrPolyline16 = 87, EmrPolylineTo16 = 89,
                        EmrPolyPolyline16 = 90, EmrEof = 14;

struct Records {
    bool wellFormed = false;
    int lines = 0;
};

Records ReadRecords(const QByteArray& emf)
{
    Records r;
    qsizetype at = 0;
    while (at + 8 <= emf.size()) {
        std::uint32_t type = 0, size = 0;
        std::memcpy(&type, emf.constData() + at, 4);
        std::memcpy(&size, emf.constData() + at + 4, 4);
        if (size < 8 || size % 4 != 0 || at + qsizetype(size) > emf.size())
            return r;
        if (type == EmrPolyline || type == EmrLineTo || type == EmrPolyline16 || type == EmrPolylineTo16 ||
            type == EmrPolyPolyline16)
            ++r.lines;
        at += size;
        if (type == EmrEof) {
            r.wellFormed = at == emf.size();
            return r;
        }
    }
    return r;
}

QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ViewImageOutputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        h = std::make_unique<ToolHarness>();
        ASSERT_TRUE(dir.isValid());
    }
    void TearDown() override { h.reset(); }

    COrvikCadView& V() { return h->View(); }
    QString Path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    void AddLine(double x0, double y0, double x1, double y1)
    {
        std::vector<double> v{x0, y0, x1, y1};
        const int16_t codes[] = {10, 20, 11, 22};
        EntityHeader eh{EntityType::Line, 0, 0, 0, 4};
        ASSERT_EQ(h->Doc().list.AddEntity(eh, codes, 0, v.data(), {}), 0);
    }
    void Add(int16_t type, int16_t subtype, std::vector<int16_t> codes, std::vector<double> v)
    {
        EntityHeader eh{type, subtype, 0, 0, static_cast<int16_t>(v.size())};
        ASSERT_EQ(h->Doc().list.AddEntity(eh, codes.data(), 0, v.data(), {}), 0);
    }
    CEntity* Grid()
    {
        for (CEntity* e = h->Doc().list.first; e; e = e->next)
            if (e->type == EntityType::Grid)
                return e;
        return nullptr;
    }
    QByteArray SaveEmf(const QString& name)
    {
        h->Ui().path(Path(name));
        h->Key(ID_FILE_SAVE_EMF);
        return ReadFile(Path(name));
    }

    std::unique_ptr<ToolHarness> h;
    QTemporaryDir dir;
};

} // namespace

TEST_F(ViewImageOutputTest, MetafileHoldsTheLinesButNoGridRangeFrameOrOriginMark)
{
    CEntity* grid = Grid();
    ASSERT_NE(grid, nullptr);
    ShowDrawingRange = 0;
    ShowOriginMark = 0;
    grid->subtype = 0;
    const QByteArray bare = SaveEmf("bare.emf");
    ASSERT_TRUE(ReadRecords(bare).wellFormed);
    EXPECT_EQ(ReadRecords(bare).lines, 0);

    // Grid, range frame and origin mark on: the metafile is the same, and
    // the switches are as they were afterwards.
    grid->subtype = 1;
    ShowDrawingRange = 1;
    ShowOriginMark = 2;
    EXPECT_EQ(SaveEmf("decorated.emf"), bare);
    EXPECT_EQ(ShowDrawingRange, 1);
    EXPECT_EQ(ShowOriginMark, 2);
    EXPECT_EQ(V().exporting, 0);

    AddLine(10, 20, 110, 70);
    AddLine(-50, -30, 60, 40);
    const QByteArray lines = SaveEmf("lines.emf");
    EXPECT_TRUE(ReadRecords(lines).wellFormed);
    EXPECT_GE(ReadRecords(lines).lines, 2);
    EXPECT_TRUE(h->Ui().finished());
}

TEST_F(ViewImageOutputTest, MetafileChooserCancelledOrUnwritableWritesNothing)
{
    h->Ui().cancel();
    h->Key(ID_FILE_SAVE_EMF);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(h->Ui().messages().isEmpty());

    h->Ui().path(Path("missing/folder/out.emf"));
    EXPECT_FALSE(V().OnSaveEmf());
    EXPECT_EQ(h->Ui().messages().size(), 1);
}

TEST_F(ViewImageOutputTest, ClipboardGetsTheMetafile)
{
    AddLine(10, 20, 110, 70);
    ShowOriginMark = 1;
    h->Key(ID_EDIT_COPY);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasFormat(QString::fromLatin1(platform::kEmfMimeType)));
    const QByteArray emf = platform::emfFromClipboard();
    EXPECT_TRUE(ReadRecords(emf).wellFormed);
    EXPECT_GE(ReadRecords(emf).lines, 1);
    EXPECT_EQ(emf, V().DrawingAsEmf());
    EXPECT_EQ(ShowOriginMark, 1);
    EXPECT_EQ(V().exporting, 0);
}

TEST_F(ViewImageOutputTest, BandIsSavedInTheFormatOfTheExtension)
{
    // A name without an extension gets the chosen filter's (BMP, JPG, PNG,
    // GIF, TIFF, any: 0 to 5), or the default one under "any"; an extension
    // that names no image format gets a message and nothing is written.
    const struct {
        const char* name;
        int filter;
        const char* file; // empty: nothing written
        const char* format;
    } cases[] = {
        {"a.png", 0, "a.png", "png"},   {"B.PNG", 0, "B.PNG", "png"},    {"c.gif", 0, "c.gif", "gif"},
        {"d.tif", 0, "d.tif", "tiff"},  {"e.tiff", 0, "e.tiff", "tiff"}, {"f.jpg", 0, "f.jpg", "jpeg"},
        {"g.jpeg", 2, "g.jpeg", "jpeg"}, {"h.bmp", 2, "h.bmp", "bmp"},   {"plain", 5, "plain.bmp", "bmp"},
        {"k", 2, "k.png", "png"},       {"l", 1, "l.jpg", "jpeg"},       {"i.txt", 0, "", ""},
        {"j.xyz", 2, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const qsizetype messages = h->Ui().messages().size();
        V().bandPurpose = 2;
        h->Ui().path(Path(QString::fromLatin1(c.name)), c.filter);
        const int result = V().CaptureRegionToImage({300, 200, 240, 160});
        const bool written = *c.file != 0;
        EXPECT_EQ(result, written ? 0 : -1);
        EXPECT_EQ(V().bandPurpose, 0);
        if (written) {
            QImageReader reader(Path(QString::fromLatin1(c.file)));
            EXPECT_EQ(reader.format(), QByteArray(c.format));
            EXPECT_EQ(reader.size(), QSize(60, 40));
            EXPECT_EQ(h->Ui().messages().size(), messages);
        } else {
            EXPECT_FALSE(QFile::exists(Path(QString::fromLatin1(c.name))));
            ASSERT_EQ(h->Ui().messages().size(), messages + 1);
            EXPECT_TRUE(h->Ui().messages().back().startsWith(QString::fromLatin1(c.name)));
        }
    }
    EXPECT_EQ(QDir(Path(QString())).entryList(QDir::Files).size(), 11);
}

TEST_F(ViewImageOutputTest, ImageBandByMouseSavesTheBoxedScreen)
{
    AddLine(-1000, 0, 1000, 0);
    V().RedrawNow();
    h->Key(ID_FILE_SAVE_IMAGE);
    EXPECT_EQ(h->Prompt(), QStringLiteral("画像保存する開始位置をクリックしてください。"));
    EXPECT_FALSE(h->Warning());
    EXPECT_TRUE(CursorIsPicture(V().cursor(), 201));
    const platform::Point a = h->Client(0, 0);
    const platform::Point from{a.x - 30, a.y - 20}, to{a.x + 50, a.y + 25};
    h->ClickAt(from);
    EXPECT_EQ(h->Prompt(), QStringLiteral("画像保存する図形を囲んで終了位置をクリックしてください。"));
    EXPECT_TRUE(CursorIsPicture(V().cursor(), 198));
    h->Ui().path(Path("band.png"));
    h->MoveAt(to);
    h->ClickAt(to);
    const QImage saved = platform::readImage(Path("band.png"));
    ASSERT_EQ(saved.size(), QSize(80, 45));
    // The line crosses the band: some pixel of it differs from the corner.
    bool varied = false;
    for (int x = 0; x < saved.width() && !varied; ++x)
        for (int y = 0; y < saved.height() && !varied; ++y)
            varied = saved.pixel(x, y) != saved.pixel(0, 0);
    EXPECT_TRUE(varied);
    EXPECT_EQ(V().bandPurpose, 0);
    EXPECT_EQ(V().mouseMode, 0);
}

// The band's own prompts stand only while the band does: afterwards, or when
// the metafile command comes in between, the prompt from before is back.
TEST_F(ViewImageOutputTest, PromptFromBeforeTheBandComesBack)
{
    ShowPrompt("始点を指示して下さい。", false);
    const QString before = QStringLiteral("始点を指示して下さい。");
    const platform::Point a = h->Client(0, 0);

    // A band saved.
    h->Key(ID_FILE_SAVE_IMAGE);
    h->ClickAt(a);
    h->Ui().path(Path("one.png"));
    h->MoveAt({a.x + 60, a.y + 40});
    h->ClickAt({a.x + 60, a.y + 40});
    EXPECT_TRUE(QFile::exists(Path("one.png")));
    EXPECT_EQ(h->Prompt(), before);
    EXPECT_FALSE(h->Warning());

    // A band armed, then the metafile chooser (cancelled); a red prompt
    // comes back red.
    ShowPrompt("図面が保護されています。", true);
    h->Key(ID_FILE_SAVE_IMAGE);
    h->Ui().cancel();
    h->Key(ID_FILE_SAVE_EMF);
    EXPECT_EQ(h->Prompt(), QStringLiteral("図面が保護されています。"));
    EXPECT_TRUE(h->Warning());
    EXPECT_EQ(V().mouseMode, 0);
    EXPECT_EQ(V().bandPurpose, 0);
    EXPECT_EQ(V().cursor().shape(), Qt::ArrowCursor);

    // A band half drawn, then the metafile: its outline goes from the screen.
    V().RedrawNow();
    h->Key(ID_FILE_SAVE_IMAGE);
    h->ClickAt(a);
    h->MoveAt({a.x + 60, a.y + 40});
    EXPECT_FALSE(h->ScreenIsFreshRedraw());
    h->Ui().cancel();
    h->Key(ID_FILE_SAVE_EMF);
    EXPECT_TRUE(h->ScreenIsFreshRedraw());
    EXPECT_EQ(V().mouseMode, 0);
    EXPECT_EQ(h->Ui().calls(platform::UiKind::SaveFile).size(), 3u);
}

TEST_F(ViewImageOutputTest, TinyBandSavesNothingAndTheNextBandZoomsAgain)
{
    h->Key(ID_FILE_SAVE_IMAGE);
    const platform::Point p = h->Client(0, 0);
    h->ClickAt(p);
    h->MoveAt({p.x + 5, p.y + 5});
    h->ClickAt({p.x + 5, p.y + 5});
    EXPECT_TRUE(h->Ui().calls(platform::UiKind::SaveFile).empty());
    EXPECT_EQ(V().bandPurpose, 0);

    const double zoom = V().zoom;
    h->Key(ID_VIEW_ZOOM_BOX);
    h->ClickAt({p.x - 40, p.y - 40});
    h->MoveAt({p.x + 40, p.y + 40});
    h->ClickAt({p.x + 40, p.y + 40});
    EXPECT_NE(V().zoom, zoom);
}

TEST_F(ViewImageOutputTest, FailedImageWriteKeepsTheOldFileAndSaysSo)
{
    const QString kept = Path("kept.png");
    {
        QFile f(kept);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    h->Ui().path(kept);
    EXPECT_EQ(V().SaveBitmapToImageFile(QImage()), -1);
    EXPECT_EQ(ReadFile(kept), QByteArray("old"));
    EXPECT_EQ(h->Ui().messages().size(), 1);
}

// The metafile as another program reads it: a line, a circle, an arc and an
// ellipse of the drawing all come back, each where the screen shows it.
TEST_F(ViewImageOutputTest, IndependentReaderSeesLineCircleArcAndEllipse)
{
    if (!emf2svg_reader::Available())
        GTEST_SKIP() << "libemf2svg is not available";
    ShowDrawingRange = 0;
    ShowOriginMark = 0;
    Grid()->subtype = 0;
    // Around the middle of the paper, all in view.
    const double ox = h->Doc().DrawingOrigin[0], oy = h->Doc().DrawingOrigin[1];
    AddLine(ox - 150, oy - 80, ox - 60, oy - 80);
    Add(EntityType::Circle, 0, {10, 20, 40}, {ox - 100, oy + 40, 30});
    Add(EntityType::Arc, 1, {10, 20, 40, 50, 51}, {ox + 40, oy + 40, 50, 30, 300});  // 270 degrees
    Add(EntityType::Ellipse, 0, {10, 20, 60, 61, 62}, {ox + 60, oy - 60, 70, 20, 0});
    const QByteArray emf = V().DrawingAsEmf();
    const std::string svg = emf2svg_reader::ToSvg(std::vector<std::uint8_t>(emf.begin(), emf.end()));
    ASSERT_FALSE(svg.empty());

    auto px = [&](double mm) { return double(V().XToDevice(mm) - V().XToDevice(0)); };
    auto at = [&](double x, double y) {
        return std::pair<double, double>(V().XToDevice(ox + x), V().YToDevice(oy + y));
    };
    // Every point the reader's paths pass through.
    std::vector<std::pair<double, double>> points;
    const std::regex number_pair(R"(([-\d.]+),([-\d.]+))");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), number_pair); it != std::sregex_iterator(); ++it)
        points.emplace_back(std::stod((*it)[1]), std::stod((*it)[2]));
    auto passes = [&](std::pair<double, double> p) {
        for (const auto& q : points)
            if (std::hypot(q.first - p.first, q.second - p.second) <= 2.0)
                return true;
        return false;
    };
    auto turnOf = [&](std::pair<double, double> centre, double radius) {
        const emf2svg_reader::ArcTurn t = emf2svg_reader::TurnOfArcs(svg, centre.first, centre.second, radius);
        EXPECT_EQ(t.offCircle, 0) << svg;
        return t.degrees;
    };

    // The line's ends.
    EXPECT_TRUE(passes(at(-150, -80))) << svg;
    EXPECT_TRUE(passes(at(-60, -80))) << svg;
    // The whole circle.
    EXPECT_NEAR(turnOf(at(-100, 40), px(30)), 360, 2) << svg;
    // The arc, from 30 to 300 degrees.
    EXPECT_NEAR(turnOf(at(40, 40), px(50)), 270, 2) << svg;
    EXPECT_TRUE(passes(at(40 + 50 * std::cos(30 * 3.14159265358979323846 / 180),
                          40 + 50 * std::sin(30 * 3.14159265358979323846 / 180))))
        << svg;
    // The ellipse's ends of its axes.
    for (auto p : {at(130, -60), at(-10, -60), at(60, -40), at(60, -80)})
        EXPECT_TRUE(passes(p)) << p.first << "," << p.second << "\n" << svg;
}
