#include "app/PlaceholderDocView.h"

#include "app/OrvikCadApp.h"
#include "dialogs/PlanInfoDlg.h"
#include "model/Notify.h"
#include "platform/Encoding.h"

#include <QDate>
#include <QFileInfo>
#include <QPainter>

#include <cstdio>

namespace {

std::string Digits(int value, int width)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", width, value);
    return buf;
}

int YearShown(int yy)
{
    return 1900 + yy >= 1950 ? 1900 + yy : 2000 + yy;
}

} // namespace

CPlaceholderDoc::CPlaceholderDoc()
{
    QDate today = QDate::currentDate();
    int yy = today.year() >= 2000 ? today.year() - 2000 : today.year() - 1900;
    m_created = m_modified = yy * 10000 + today.month() * 100 + today.day();
}

bool CPlaceholderDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument()) {
        return false;
    }
    if (CreatingForImport) {
        return true;
    }
    CPlanInfoDlg dlg(AfxGetMainFrame());
    dlg.m_strFileName = m_title;
    dlg.m_strPlanName = m_planName;
    dlg.m_strAuthor = m_author;
    dlg.m_strUpdater = m_updater;
    dlg.m_strPassword = m_password;
    dlg.m_strMakeYear = Digits(YearShown(m_created / 10000), 4);
    dlg.m_strMakeMonth = Digits(m_created / 100 % 100, 2);
    dlg.m_strMakeDay = Digits(m_created % 100, 2);
    dlg.m_strUpdateYear = Digits(YearShown(m_modified / 10000), 4);
    dlg.m_strUpdateMonth = Digits(m_modified / 100 % 100, 2);
    dlg.m_strUpdateDay = Digits(m_modified % 100, 2);
    dlg.m_nProtection = m_protection;
    dlg.m_nScale = m_scale;
    dlg.m_nPaper = m_paper;
    dlg.m_nOrientation = m_orientation;
    dlg.m_nPaperSource = m_paperSource;
    dlg.m_nPrintType = m_printFit;
    if (dlg.DoModal() != IDOK) {
        return false;
    }
    m_title = dlg.m_strFileName;
    m_planName = dlg.m_strPlanName;
    m_author = dlg.m_strAuthor;
    m_updater = dlg.m_strUpdater;
    m_password = dlg.m_strPassword;
    auto date = [](const std::string& y, const std::string& m, const std::string& d) {
        return (std::atoi(y.c_str()) % 100) * 10000 + std::atoi(m.c_str()) * 100 + std::atoi(d.c_str());
    };
    m_created = date(dlg.m_strMakeYear, dlg.m_strMakeMonth, dlg.m_strMakeDay);
    m_modified = date(dlg.m_strUpdateYear, dlg.m_strUpdateMonth, dlg.m_strUpdateDay);
    m_protection = dlg.m_nProtection;
    m_scale = dlg.m_nScale;
    m_paper = dlg.m_nPaper;
    m_orientation = dlg.m_nOrientation;
    m_paperSource = dlg.m_nPaperSource;
    m_printFit = dlg.m_nPrintType;
    SetTitle(FromCp932(m_title));
    return true;
}

bool CPlaceholderDoc::OnOpenDocument(const QString& path)
{
    QFileInfo info(path);
    return info.isFile() && info.isReadable();
}

CPlaceholderView::CPlaceholderView(QWidget* parent) : CView(parent) {}

void CPlaceholderView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    // An A4 landscape sheet fitted into the window.
    QRectF sheet(0, 0, 297, 210);
    double zoom = std::min((width() - 40) / sheet.width(), (height() - 40) / sheet.height());
    QRectF r((width() - sheet.width() * zoom) / 2, (height() - sheet.height() * zoom) / 2, sheet.width() * zoom,
             sheet.height() * zoom);
    p.setPen(QColor(210, 210, 210));
    for (double x = 0; x <= sheet.width(); x += 20) {
        p.drawLine(QPointF(r.left() + x * zoom, r.top()), QPointF(r.left() + x * zoom, r.bottom()));
    }
    for (double y = 0; y <= sheet.height(); y += 20) {
        p.drawLine(QPointF(r.left(), r.bottom() - y * zoom), QPointF(r.right(), r.bottom() - y * zoom));
    }
    p.setPen(QColor(160, 160, 160));
    p.drawRect(r);
}
