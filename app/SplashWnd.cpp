#include "app/SplashWnd.h"

#include "app/MainFrame.h"

#include <QPainter>
#include <QScreen>
#include <QTimerEvent>

CSplashWnd* SplashWindow = nullptr;
bool ShowSplash = true;

CSplashWnd::CSplashWnd(QWidget* owner)
    : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("splash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setCursor(Qt::ArrowCursor);
    SplashWindow = this;
}

CSplashWnd::~CSplashWnd()
{
    if (SplashWindow == this) {
        SplashWindow = nullptr;
    }
}

bool CSplashWnd::Create()
{
    if (!m_bitmap.load(QStringLiteral(":/orvik/pictures/splash.png"))) {
        return false;
    }
    setFixedSize(m_bitmap.size());
    // Centred on the owner, or on the screen while the owner is not placed yet.
    QRect area = parentWidget() && parentWidget()->isVisible() ? parentWidget()->frameGeometry()
                 : screen()                                  ? screen()->availableGeometry()
                                                             : QRect(0, 0, 1024, 768);
    move(area.center() - rect().center());
    show();
    repaint();
    m_timer = startTimer(3000);
    return true;
}

void CSplashWnd::DestroyWindow()
{
    if (m_timer) {
        killTimer(m_timer);
        m_timer = 0;
    }
    close();
    if (QWidget* main = AfxGetMainFrame()) {
        main->update();
    }
}

void CSplashWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(0, 0, m_bitmap);
}

void CSplashWnd::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_timer) {
        DestroyWindow();
    }
}
