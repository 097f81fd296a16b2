// A drawing view left alone does nothing: whatever size its window has (a
// drawing window behind the active one keeps a small normal size), it
// settles after its first fit instead of fitting itself again and again.

#include "common/ToolHarness.h"

#include <QEventLoop>
#include <QTimer>

namespace {

class QueuedCallCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::MetaCall;
        return false;
    }
    int count = 0;
};

TEST(ViewIdle, SettlesAtAnySize)
{
    // Sizes with room for no, one or both scroll bars, and less room than
    // a scroll bar needs.
    for (QSize size : {QSize(160, 12), QSize(12, 160), QSize(1, 1), QSize(100, 30), QSize(600, 430), QSize(900, 700)}) {
        ToolHarness h(800, 600);
        h.View().resize(size);
        QueuedCallCounter counter;
        qApp->installEventFilter(&counter);
        QEventLoop idle;
        QTimer::singleShot(300, &idle, &QEventLoop::quit);
        idle.exec();
        qApp->removeEventFilter(&counter);
        EXPECT_LE(counter.count, 10) << size.width() << " x " << size.height();
    }
}

} // namespace
