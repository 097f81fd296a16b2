#include "app/AboutDlg.h"

#include "model/Notify.h"
#include "platform/Controls.h"
#include "resources/Resource.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* parent) : CDialog(IDD_ABOUTBOX, parent)
{
    setWindowTitle(QStringLiteral("バージョン情報"));
    auto* layout = new QGridLayout(this);
    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap(QStringLiteral(":/orvik/pictures/app_icon.png")));
    layout->addWidget(icon, 0, 0, 4, 1, Qt::AlignTop);
    layout->addWidget(new QLabel(QStringLiteral("OrvikCAD バージョン %1").arg(QStringLiteral("0.1")), this),
                      0, 1);
    layout->addWidget(new QLabel(QStringLiteral("Copyright (C) KESTAVA"), this), 1, 1);
    layout->addWidget(new QLabel(QStringLiteral("本プログラムは無保証です。"), this), 2, 1);
    layout->addWidget(new QLabel(QStringLiteral("本プログラムの使用により生じた損害について、作者は責任を負いません。"), this), 3, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    platform::setControlId(buttons->button(QDialogButtonBox::Ok), IDOK);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAboutDlg::accept);
    layout->addWidget(buttons, 4, 0, 1, 2);
}
