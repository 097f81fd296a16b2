#pragma once
// Stand-ins for the drawing's document and view until the real ones land:
// the document keeps the drawing information the new-drawing dialog asks for,
// the view shows an empty sheet. The application's document template is the
// only place that names them.

#include "app/Document.h"
#include "app/View.h"

#include <string>

class CPlaceholderDoc : public CDocument {
public:
    CPlaceholderDoc();

    bool OnNewDocument() override;
    bool OnOpenDocument(const QString& path) override;

    // Drawing information (cp932 texts), as the header will hold it.
    std::string m_title = "\x96\xbc\x8f\xcc\x96\xa2\x90\xdd\x92\xe8"; // "名称未設定"
    std::string m_planName = "\x96\xb3\x81\x40\x91\xe8";             // "無　題"
    std::string m_author, m_updater, m_password;
    int m_protection = 0, m_scale = 1, m_paper = 4, m_orientation = 0, m_paperSource = 0, m_printFit = 0;
    int m_created = 0, m_modified = 0; // yymmdd
};

class CPlaceholderView : public CView {
    Q_OBJECT
public:
    explicit CPlaceholderView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
