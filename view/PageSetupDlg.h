#pragma once
// The page-setup dialog of a drawing window: the application printer's
// paper, the drawing's orientation and the printer's margins (both shown,
// not changed here: the orientation belongs to the drawing information), and
// a sample page with the view's current picture in the margin rectangle.

#include "platform/Dialog.h"

#include <QPageSize>
#include <QRect>

#include <vector>

class COrvikCadView;
class QComboBox;
class QLabel;
class QPainter;
class PageSetupSample;

// The sample rectangle shrunk by the margins in proportion: margins and
// paper in the same units (thousandths of an inch), each side moved by
// MulDiv(side length, margin, paper length) of the rectangle before
// shrinking.
QRect MarginRect(const QRect& sample, int left, int top, int right, int bottom, int paperWidth, int paperHeight);

class grafPageSetupDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 57606;
    static constexpr int IDC_PAPER = 1101;
    static constexpr int IDC_SAMPLE = 1102;

    explicit grafPageSetupDlg(COrvikCadView* view, QWidget* parent = nullptr);

    // The paper chosen (a page size id); the printer takes it on OK.
    QPageSize::PageSizeId paper() const;
    void setPaper(QPageSize::PageSizeId id);

    // Paints the sample page into rect of the painter's device.
    void DrawPage(QPainter& painter, const QRect& rect) const;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    COrvikCadView* m_view;
    QComboBox* m_paper;
    QLabel* m_orientation;
    QLabel* m_margins;
    PageSetupSample* m_sample;
    std::vector<QPageSize::PageSizeId> m_sizes;
};
