#pragma once
// The framework document of one drawing window: it carries the drawing
// (COrvikCadDoc) and answers the framework's new, open and save requests
// with it.

#include "view/Document.h"
#include "model/Document.h"

class CDrawingDocument : public CDocument {
public:
    CDrawingDocument();
    ~CDrawingDocument() override;

    COrvikCadDoc& Drawing() { return m_drawing; }
    const COrvikCadDoc& Drawing() const { return m_drawing; }

    bool OnNewDocument() override;
    // The window title, kept by the drawing too (its information dialog shows it).
    void SetTitle(const QString& title) override;
    bool OnOpenDocument(const QString& path) override;
    bool OnSaveDocument(const QString& path) override;
    // Foreign drawings read into this new drawing; false when refused (the
    // drawing has shown its message).
    bool ImportDxf(const QString& path) override;
    bool ImportJww(const QString& path) override;
    bool ImportJwc(const QString& path) override;

    // "ＤＸＦ形式で保存..." and "JWW形式で保存...": a save dialog, then the export.
    void OnFileSaveDxf();
    void OnFileSaveJww();
    // "作図要素リスト": the entity list dialog, starting empty; its rows are
    // added to the drawing and the views fitted to it.
    void OnElementList();

    bool IsModified() const override { return m_drawing.modified; }
    void SetModifiedFlag(bool modified = true) override { m_drawing.SetModifiedFlag(modified); }

    // The framework document that carries drawing, or null.
    static CDrawingDocument* FromDrawing(const COrvikCadDoc* drawing);

private:
    COrvikCadDoc m_drawing;
};
