#include "app/WindowListDlg.h"

#include "model/Notify.h"
#include "platform/Controls.h"
#include "resources/Resource.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

CWindowListDlg::CWindowListDlg(QWidget* parent) : CDialog(IDD_WINDOWLIST, parent)
{
    setWindowTitle(QStringLiteral("ウィンドウの選択"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("ウィンドウ(&W):"), this));
    m_list = new QListWidget(this);
    platform::setControlId(m_list, IDC_WINDOW_LIST);
    m_list->setMinimumSize(320, 200);
    layout->addWidget(m_list);
    layout->addLayout(MakeOkCancelRow(QStringLiteral("OK"), QStringLiteral("キャンセル")));
    // A double click chooses at once.
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { OnOK(); });
}

bool CWindowListDlg::OnInitDialog()
{
    m_list->clear();
    m_list->addItems(titles);
    if (selected >= 0 && selected < m_list->count())
        m_list->setCurrentRow(selected);
    m_list->setFocus();
    return true;
}

void CWindowListDlg::OnOK()
{
    selected = m_list->currentRow();
    CDialog::OnOK();
}
