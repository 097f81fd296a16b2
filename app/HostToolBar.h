#pragma once

#include <QToolBar>

// A toolbar whose third place holds a hosted panel.
class CHostToolBar : public QToolBar {
    Q_OBJECT
public:
    explicit CHostToolBar(const QString& title, QWidget* parent = nullptr) : QToolBar(title, parent) {}
    // The panel in the host place; replaces (and deletes) the one before.
    void SetHostedWidget(QWidget* w);
    QWidget* HostedWidget() const { return m_pHosted; }
    QAction* m_hostAction = nullptr;

private:
    QWidget* m_pHosted = nullptr;
};
using CSizeToolBar = CHostToolBar;
using CGridToolBar = CHostToolBar;
