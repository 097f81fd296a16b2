#include "app/HostToolBar.h"

#include <QAction>


void CHostToolBar::SetHostedWidget(QWidget* w)
{
    if (m_hostAction) {
        removeAction(m_hostAction);
        delete m_hostAction;
        m_hostAction = nullptr;
    }
    delete m_pHosted;
    m_pHosted = w;
    if (w) {
        m_hostAction = addWidget(w);
    }
}

