#pragma once
// The start-up picture: shown over the main window for at most 3 seconds, or
// until the first key press or click (which it consumes).

#include <QPixmap>
#include <QWidget>

class CSplashWnd : public QWidget {
    Q_OBJECT
public:
    explicit CSplashWnd(QWidget* owner);
    ~CSplashWnd() override;

    // Loads the picture and shows the window; false when either fails.
    bool Create();
    // Closes the window (the object deletes itself).
    void DestroyWindow();

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    QPixmap m_bitmap;
    int m_timer = 0;
};

// The splash window while it exists, else null.
extern CSplashWnd* SplashWindow;
// Whether the command line asks for the splash window.
extern bool ShowSplash;
