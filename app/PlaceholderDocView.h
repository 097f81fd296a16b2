#pragma once
// Stand-in for the drawing view until the real one lands: it shows an empty
// sheet. The application's document template is the only place that names it.

#include "view/View.h"


class CPlaceholderView : public CView {
    Q_OBJECT
public:
    explicit CPlaceholderView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
