#pragma once
// A drawing view on a document of its own, with the mapping set by hand, and
// helpers to draw it into an image or a recording DC and to add entities.

#include "view/OrvikCadView.h"
#include "model/Document.h"
#include "model/Settings.h"
#include "platform/PainterDc.h"
#include "platform/RecordingDc.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedDataFolder = DataFolder;
        savedPaletteShown = PaletteShown;
        PaletteShown = 0;  // as after the first drawing of a run
        DataFolder = QDir(dataDir.path()).filePath(QStringLiteral("data")).toStdString();
        QDir().mkpath(QString::fromStdString(DataFolder));
        doc = std::make_unique<COrvikCadDoc>();
        view = std::make_unique<COrvikCadView>();
        view->AttachDrawing(doc.get());
    }
    void TearDown() override
    {
        view.reset();
        doc.reset();
        DataFolder = savedDataFolder;
        PaletteShown = savedPaletteShown;
    }

    // One model millimetre per pixel (at scale n and zoom n), no scroll, a
    // client (and drawing area) of w x h pixels.
    void Map(int w = 200, int h = 200, double n = 1.0, double zoom = 1.0)
    {
        view->resize(w, h);
        view->SetScrollSizes(0, 0);  // lays out the client: no scroll bars
        view->scale = n;
        doc->header.scale = static_cast<float>(n);
        view->zoom = zoom;
        view->scrollX = view->scrollY = 0;
        view->clientW = view->areaW = w;
        view->clientH = view->areaH = h;
    }

    CEntity* Add(int16_t type, std::initializer_list<double> values, int16_t subtype = 0, int16_t style = 0,
                 COLORREF colour = 0x000000, int16_t layer = 0, std::initializer_list<int16_t> codes = {})
    {
        EntityHeader h;
        h.type = type;
        h.subtype = subtype;
        h.style = style;
        h.layer = layer;
        h.count = static_cast<int16_t>(values.size());
        std::vector<double> v(values);
        std::vector<int16_t> c(codes);
        if (c.empty())
            for (std::size_t i = 0; i < v.size(); ++i)
                c.push_back(static_cast<int16_t>(i % 2 == 0 ? 10 : 20));
        EXPECT_EQ(doc->AddEntity(h, c.data(), colour, v.data()), 0);
        return doc->list.last;
    }

    // The whole drawing painted on a white image of the client size.
    QImage Paint()
    {
        QImage img(view->clientW, view->clientH, QImage::Format_RGB32);
        img.fill(Qt::white);
        platform::PainterDc dc(img);
        view->OnDraw(dc);
        dc.Flush();
        return img;
    }

    static QRgb Rgb(COLORREF c)
    {
        c = platform::ResolveColor(c);
        return qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
    }
    static bool Is(const QImage& img, int x, int y, COLORREF c)
    {
        return (img.pixel(x, y) & 0xFFFFFF) == (Rgb(c) & 0xFFFFFF);
    }
    // Pixels of colour c inside [x0, x1) x [y0, y1).
    static int CountIn(const QImage& img, COLORREF c, int x0, int y0, int x1, int y1)
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (Is(img, x, y, c))
                    ++n;
        return n;
    }
    static int Count(const QImage& img, COLORREF c) { return CountIn(img, c, 0, 0, img.width(), img.height()); }

    QTemporaryDir dataDir;
    std::string savedDataFolder;
    int16_t savedPaletteShown = 0;
    std::unique_ptr<COrvikCadDoc> doc;
    std::unique_ptr<COrvikCadView> view;
};
