#include "app/OperateMsgBox.h"

#include "app/MainFrame.h"
#include "platform/Controls.h"
#include "platform/Encoding.h"

#include <QFont>
#include <QHBoxLayout>
#include <QPainter>

#include <cstring>

class CPromptStatic : public QWidget {
public:
    CPromptStatic(COperateMsgBox* box) : QWidget(box), m_box(box) { setAttribute(Qt::WA_OpaquePaintEvent); }

protected:
    void paintEvent(QPaintEvent*) override { m_box->PaintPrompt(this); }

private:
    COperateMsgBox* m_box;
};

void CopyPromptText(char* dst, std::size_t size, std::string_view src)
{
    if (size == 0) {
        return;
    }
    std::size_t n = platform::Cp932PrefixLength(src, size - 1);
    std::memcpy(dst, src.data(), n);
    dst[n] = '\0';
}

COperateMsgBox::COperateMsgBox(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 1, 0, 1);
    m_pStatic = new CPromptStatic(this);
    platform::setControlId(m_pStatic, kPromptControlId);
    m_pStatic->setMinimumHeight(22);
    layout->addWidget(m_pStatic);
}

void COperateMsgBox::OnPaint()
{
    m_pStatic->repaint();
}

void COperateMsgBox::SetPrompt(std::string_view cp932, bool warning)
{
    m_bWarning = warning ? 1 : 0;
    CopyPromptText(m_szPrompt, sizeof m_szPrompt, cp932);
    OnPaint();
}

void COperateMsgBox::SetPromptUtf8(std::string_view utf8, bool warning)
{
    SetPrompt(platform::Utf8ToCp932(utf8), warning);
}

QString COperateMsgBox::PromptText() const
{
    return FromCp932(std::string_view(m_szPrompt, strnlen(m_szPrompt, sizeof m_szPrompt)));
}

void COperateMsgBox::PaintPrompt(QWidget* control)
{
    QPainter p(control);
    // Outside the 1-pixel margin the bar shows through.
    p.fillRect(control->rect(), control->palette().window());
    QRect r = control->rect().adjusted(1, 1, -1, -1);
    const QColor white(255, 255, 255);
    p.fillRect(r, white);
    if (m_szPrompt[0] == '\0') {
        return;
    }
    QFont font(QStringLiteral("ＭＳゴシック"));
    font.setFamilies({QStringLiteral("ＭＳゴシック"), QStringLiteral("IPAGothic"), QStringLiteral("monospace")});
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(13);
    p.setFont(font);
    p.setPen(m_bWarning ? QColor(255, 0, 0) : QColor(0, 0, 255));
    p.drawText(QRect(5, 4, control->width() - 5, control->height() - 4), Qt::AlignLeft | Qt::AlignTop,
               PromptText());
}
