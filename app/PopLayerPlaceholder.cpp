#include "app/PopLayerPlaceholder.h"

#include "model/Settings.h"
#include "platform/Controls.h"
#include "platform/Encoding.h"

#include <QCloseEvent>
#include <QListWidget>
#include <QVBoxLayout>

CPopLayer::CPopLayer(QWidget* parent) : QWidget(parent, Qt::Tool)
{
    setWindowTitle(QStringLiteral("レイヤーリスト"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(5, 5, 5, 5);
    m_list = new QListWidget(this);
    platform::setControlId(m_list, 1306);
    layout->addWidget(m_list);
    resize(149, 250);
    FillLayerList();
}

QString CPopLayer::StateMark(int state)
{
    switch (state) {
    case 0:
        return QStringLiteral(" ＿ ");
    case 2:
        return QStringLiteral(" ■ ");
    default:
        return QStringLiteral(" □ ");
    }
}

void CPopLayer::FillLayerList()
{
    m_list->clear();
    for (int i = 0; i < LayerCount && i < MaxLayers; ++i) {
        m_list->addItem(StateMark(LayerStates[i]) + FromCp932(LayerNames[i]));
    }
    m_list->setCurrentRow(CurrentLayer);
}

void CPopLayer::SetCurrentLayerState(int index)
{
    if (CurrentLayer < 0 || CurrentLayer >= MaxLayers || index < 0 || index > 2) {
        return;
    }
    LayerStates[CurrentLayer] = uint8_t(2 - index);
    SetLine(CurrentLayer, StateMark(2 - index), LayerNames[CurrentLayer]);
}

QString CPopLayer::LineMark(int row) const
{
    return LineText(row).left(3);
}

QString CPopLayer::LineText(int row) const
{
    QListWidgetItem* item = m_list->item(row);
    return item ? item->text() : QString();
}

int CPopLayer::LineCount() const
{
    return m_list->count();
}

void CPopLayer::SetLine(int row, const QString& mark, const std::string& nameCp932)
{
    QString text = mark + FromCp932(nameCp932);
    if (row >= 0 && row < m_list->count()) {
        m_list->item(row)->setText(text);
    } else {
        m_list->addItem(text);
        row = m_list->count() - 1;
    }
    m_list->setCurrentRow(row);
}

void CPopLayer::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit closed();
}
