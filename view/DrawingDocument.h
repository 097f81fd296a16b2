#pragma once
// The framework document of one drawing window: it carries the drawing
// (COrvikCadDoc) and answers the framework's new, open and save requests
// with it.

#include "view/Document.h"
#include "model/Document.h"

#include <functional>

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

    // "ＤＸＦ形式で保存..." and "JWW形式で保存...": a save dialog, then the export.
    void OnFileSaveDxf();
    void OnFileSaveJww();
    // "図面送信": the drawing as saved (a copy in a folder of its own when it
    // has changes or no file yet) attached to a new message of the desktop's
    // mail program; a message when none is set up.
    void OnFileSendMail();
    // The file attached: the drawing's own when it is saved as it stands,
    // else a fresh copy; empty when the copy could not be written.
    QString MailAttachment() const;
    // "HPGL形式で保存...": a save dialog, then the plot run into that file.
    void OnFileSaveHpgl();
    // "プロッター出力..." and "プロッターの設定...".
    void OnPlotterOutput();
    void OnPlotterSetup();
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

// The plotter commands' dialogs live above the view; the application
// installs them at start-up.
struct PlotterCommands {
    // The plot run into an HP-GL file.
    std::function<void(COrvikCadDoc& drawing, const QString& file)> toFile;
    // The plot dialog, then the plot run on the plotter port.
    std::function<void(COrvikCadDoc& drawing)> output;
    // The plotter settings dialog.
    std::function<void(COrvikCadDoc& drawing)> setup;
};
extern PlotterCommands ThePlotterCommands;
