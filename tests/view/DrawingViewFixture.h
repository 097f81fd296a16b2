#pragma once
// A drawing view on a fresh drawing, mapped 1:1 (one pixel per millimetre,
// model (0, 0) at the bottom-left pixel row of a 400 x 300 client), for the
// drawer and picking tests. Entities are added through the drawing's list.

#include "view/OrvikCadView.h"
#include "model/Document.h"
#include "model/Settings.h"
#include "platform/PainterDc.h"
#include "platform/RecordingDc.h"

#include <QImage>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

class DrawingViewTest : public ::testing::Test {
protected:
    static constexpr int Width = 400;
    static constexpr int Height = 300;

    void SetUp() override
    {
        doc = std::make_unique<COrvikCadDoc>();
        view = std::make_unique<COrvikCadView>();
        view->AttachDrawing(doc.get());
        view->scale = 1.0;
        view->zoom = 1.0;
        view->scrollX = view->scrollY = 0;
        view->clientW = view->areaW = Width;
        view->clientH = view->areaH = Height;
        view->colors = {0xFFFFFF, 0xD2D2D2, 0x0000FF, 0xFF0000, 0xFF00FF, 0x000000, 0x9A9A9A};
        view->layerState.fill(2);
        view->currentLayer = 0;
        view->ComputeVisibleRect();
        savedScaleMode = DimArrowScaleMode;
        DimArrowScaleMode = 0;
    }
    void TearDown() override
    {
        DimArrowScaleMode = savedScaleMode;
        view.reset();
        doc.reset();
    }

    // Adds an entity with parallel codes and values; returns it.
    CEntity* Add(int16_t type, int16_t subtype, int16_t style, const std::vector<int16_t>& codes,
                 const std::vector<double>& values, COLORREF colour = 0, const std::string& text = {},
                 const std::string& font = {}, int16_t layer = 0)
    {
        EntityHeader h;
        h.type = type;
        h.subtype = subtype;
        h.style = style;
        h.layer = layer;
        h.count = static_cast<int16_t>(values.size());
        EXPECT_EQ(doc->list.AddEntity(h, codes.empty() ? nullptr : codes.data(), colour, values.data(), text, font),
                  0);
        CEntity* e = doc->list.last;
        while (e && e->owner)
            e = e->owner;
        return e;
    }
    CEntity* AddLine(double x1, double y1, double x2, double y2, COLORREF colour = 0)
    {
        return Add(EntityType::Line, 0, 0, {10, 20, 11, 22}, {x1, y1, x2, y2}, colour);
    }
    CEntity* AddGrid(double pitch, int16_t shown = 1)
    {
        return Add(EntityType::Grid, shown, 0, {10, 20, 30}, {0, 0, pitch});
    }

    // A white image of the client with the view drawn on it (both passes).
    QImage Render()
    {
        QImage image(Width, Height, QImage::Format_RGB32);
        image.fill(Qt::white);
        platform::PainterDc dc(image);
        view->DrawAll(dc, 0);
        view->DrawAll(dc, 1);
        return image;
    }
    // Every drawing call of both passes.
    std::vector<platform::DcRecord> Record(bool printing = false)
    {
        platform::RecordingDc dc(Width, Height, 96, printing);
        view->DrawAll(dc, 0);
        view->DrawAll(dc, 1);
        return dc.Records();
    }
    static std::vector<platform::DcRecord> Only(const std::vector<platform::DcRecord>& records, const std::string& op)
    {
        std::vector<platform::DcRecord> out;
        for (const auto& r : records)
            if (r.op == op)
                out.push_back(r);
        return out;
    }
    static QRgb Rgb(COLORREF c) { return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF) & 0xFFFFFF; }
    // Pixel of the model point (x, y) at this mapping.
    static QRgb PixelAt(const QImage& image, double x, double y)
    {
        return image.pixel(int(x + 0.5), Height - int(y + 0.5)) & 0xFFFFFF;
    }
    static int CountColour(const QImage& image, QRgb colour, int x0 = 0, int y0 = 0, int x1 = Width, int y1 = Height)
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                    ++n;
        return n;
    }

    std::unique_ptr<COrvikCadDoc> doc;
    std::unique_ptr<COrvikCadView> view;
    int16_t savedScaleMode = 0;
};
