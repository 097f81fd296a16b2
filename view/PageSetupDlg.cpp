#include "view/PageSetupDlg.h"

#include "model/Document.h"
#include "platform/Controls.h"
#include "platform/Printing.h"
#include "platform/Ui.h"
#include "view/OrvikCadView.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QVBoxLayout>

#include <cmath>
#include <cstdint>

namespace {

// a x b / c rounded, as the margin arithmetic of the sample wants it.
int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const double v = static_cast<double>(a) * b / c;
    return static_cast<int>(std::lround(v));
}

// The printer's margins and paper in thousandths of an inch, in the
// printer's orientation.
struct PageInMils {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width = 0, height = 0;
};

PageInMils PrinterPage()
{
    const QPageLayout layout = platform::applicationPrinter().pageLayout();
    const QMarginsF m = layout.margins(QPageLayout::Inch);
    const QSizeF paper = layout.fullRect(QPageLayout::Inch).size();
    PageInMils p;
    p.left = int(std::lround(m.left() * 1000));
    p.top = int(std::lround(m.top() * 1000));
    p.right = int(std::lround(m.right() * 1000));
    p.bottom = int(std::lround(m.bottom() * 1000));
    p.width = int(std::lround(paper.width() * 1000));
    p.height = int(std::lround(paper.height() * 1000));
    return p;
}

} // namespace

QRect MarginRect(const QRect& sample, int left, int top, int right, int bottom, int paperWidth, int paperHeight)
{
    // Left, top, right and bottom as the framework's rectangle keeps them
    // (right and bottom just outside).
    const int w = sample.width(), h = sample.height();
    int l = sample.left(), t = sample.top(), r = sample.left() + w, b = sample.top() + h;
    l += MulDiv(w, left, paperWidth);
    r -= MulDiv(w, right, paperWidth);
    t += MulDiv(h, top, paperHeight);
    b -= MulDiv(h, bottom, paperHeight);
    return QRect(QPoint(l, t), QPoint(r - 1, b - 1));
}

// The sample page: the paper's outline in the dialog, the page drawn into it.
class PageSetupSample : public QWidget {
public:
    explicit PageSetupSample(grafPageSetupDlg* dialog) : QWidget(dialog), m_dialog(dialog)
    {
        setMinimumSize(220, 160);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().window());
        // The paper in its proportions, centred.
        const PageInMils page = PrinterPage();
        QRect paper = rect().adjusted(8, 8, -8, -8);
        if (page.width > 0 && page.height > 0) {
            const double fit = std::min(paper.width() / double(page.width), paper.height() / double(page.height));
            const int w = int(page.width * fit), h = int(page.height * fit);
            paper = QRect(paper.center().x() - w / 2, paper.center().y() - h / 2, w, h);
        }
        painter.fillRect(paper, Qt::white);
        painter.setPen(Qt::black);
        painter.drawRect(paper.adjusted(0, 0, -1, -1));
        m_dialog->DrawPage(painter, paper);
    }

private:
    grafPageSetupDlg* m_dialog;
};

grafPageSetupDlg::grafPageSetupDlg(COrvikCadView* view, QWidget* parent) : CDialog(IDD, parent), m_view(view)
{
    setWindowTitle(QStringLiteral("ページ設定"));
    auto* layout = new QVBoxLayout(this);
    m_sample = new PageSetupSample(this);
    platform::setControlId(m_sample, IDC_SAMPLE);
    layout->addWidget(m_sample, 1);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("用紙サイズ"), this), 0, 0);
    m_paper = new QComboBox(this);
    platform::setControlId(m_paper, IDC_PAPER);
    grid->addWidget(m_paper, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("印刷の向き"), this), 1, 0);
    m_orientation = new QLabel(this);
    grid->addWidget(m_orientation, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("余白 (mm)"), this), 2, 0);
    m_margins = new QLabel(this);
    grid->addWidget(m_margins, 2, 1);
    layout->addLayout(grid);
    layout->addLayout(MakeOkCancelRow(QStringLiteral("OK"), QStringLiteral("キャンセル")));

    // The papers the printer offers, else the papers of the drawings.
    const QList<QPageSize> offered = platform::printerPageSizes();
    for (const QPageSize& size : offered) {
        m_sizes.push_back(size.id());
        m_paper->addItem(size.name());
    }
    connect(m_paper, &QComboBox::currentIndexChanged, this, [this] { m_sample->update(); });
}

QPageSize::PageSizeId grafPageSetupDlg::paper() const
{
    const int i = m_paper->currentIndex();
    return i >= 0 && i < int(m_sizes.size()) ? m_sizes[std::size_t(i)] : QPageSize::A4;
}

void grafPageSetupDlg::setPaper(QPageSize::PageSizeId id)
{
    for (std::size_t i = 0; i < m_sizes.size(); ++i)
        if (m_sizes[i] == id)
            m_paper->setCurrentIndex(int(i));
}

bool grafPageSetupDlg::OnInitDialog()
{
    // The values of the application's printer, taken when the dialog comes
    // up.
    QPrinter& printer = platform::applicationPrinter();
    setPaper(printer.pageLayout().pageSize().id());
    m_orientation->setText(printer.pageLayout().orientation() == QPageLayout::Portrait ? QStringLiteral("縦")
                                                                                      : QStringLiteral("横"));
    const QMarginsF m = printer.pageLayout().margins(QPageLayout::Millimeter);
    m_margins->setText(QStringLiteral("左 %1  上 %2  右 %3  下 %4")
                           .arg(m.left(), 0, 'f', 1)
                           .arg(m.top(), 0, 'f', 1)
                           .arg(m.right(), 0, 'f', 1)
                           .arg(m.bottom(), 0, 'f', 1));
    return true;
}

void grafPageSetupDlg::OnOK()
{
    QPrinter& printer = platform::applicationPrinter();
    printer.setPageSize(QPageSize(paper()));
    EndDialog(IDOK);
}

void grafPageSetupDlg::DrawPage(QPainter& painter, const QRect& rect) const
{
    const PageInMils page = PrinterPage();
    const QRect inner = MarginRect(rect, page.left, page.top, page.right, page.bottom, page.width, page.height);
    painter.save();
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(inner);
    painter.setClipRect(inner);
    // The view's picture of the moment, from its client size into the
    // margin rectangle.
    if (m_view) {
        const QImage& screen = m_view->Buffer().Image();
        if (!screen.isNull() && m_view->clientW > 0 && m_view->clientH > 0)
            painter.drawImage(inner, screen, QRect(0, 0, m_view->clientW, m_view->clientH));
    }
    painter.restore();
}
