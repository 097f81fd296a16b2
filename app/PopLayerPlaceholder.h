#pragma once
// Stand-in for the layer list window until the real one lands in dialogs/:
// a floating list with one line per layer (state mark and name), enough for
// the main frame's layer commands. Replace with dialogs/PopLayer.h.

#include <QString>
#include <QWidget>

#include <string>

class QListWidget;

class CPopLayer : public QWidget {
    Q_OBJECT
public:
    explicit CPopLayer(QWidget* parent = nullptr);

    void FillLayerList();
    // index 0, 1, 2 sets the current layer's state to 2, 1, 0.
    void SetCurrentLayerState(int index);

    // The state mark (" ■ ", " □ ", " ＿ ") of line row.
    QString LineMark(int row) const;
    // Writes line row (appending when row is the line count) and selects it.
    void SetLine(int row, const QString& mark, const std::string& nameCp932);
    int LineCount() const;
    QString LineText(int row) const;

    static QString StateMark(int state);

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QListWidget* m_list;
};
