#pragma once
// The plot-run dialog: sends a drawing to the plotter channel, one entity per
// tick of a 1-millisecond timer, with a progress bar, the percentage done and
// a cancel button. It ends itself when the plot is done, fails or is
// cancelled.

#include "dialogs/PlotterPort.h"
#include "exchange/PlotRun.h"
#include "platform/Dialog.h"

#include <memory>

class QBasicTimer;
class QLabel;
class QProgressBar;
class COrvikCadDoc;

inline constexpr unsigned IDD_PLOTOUTGO = 237;
inline constexpr int IDC_PLOT_PROGRESS = 1331;
inline constexpr int IDC_PLOT_PERCENT = 1332;

class CPlotOutGoDlg : public CDialog {
    Q_OBJECT
public:
    explicit CPlotOutGoDlg(QWidget* parent = nullptr);
    ~CPlotOutGoDlg() override;

    // What the caller fills before the run: the drawing and the settings
    // (the job), and for file mode the path.
    PlotJob m_job;
    QString m_strFileName;

    // The run's error code once it ended (PlotError).
    int Error() const { return m_run ? m_run->Error() : PlotError::None; }

    // One tick of the timer; public so that a test can step the run.
    void OnTimer();

protected:
    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override;
    void timerEvent(QTimerEvent* event) override;

private:
    void StopAndEnd(int result);
    void ShowPercent(int percent);

    QProgressBar* m_progress = nullptr;
    QLabel* m_percent = nullptr;
    std::unique_ptr<QBasicTimer> m_timer;
    CPlotterPort m_port;
    std::unique_ptr<CPlotRun> m_run;
    int m_shownPercent = -1;
    bool m_ended = false;
};

// The drawing's part of a plot job: extents, scale, layers, entities and the
// plotter settings of its settings record, with the plot fields of its header.
PlotJob PlotJobOfDrawing(const COrvikCadDoc& doc);

// "HPGL形式で保存": the plot run in file mode into file, every layer shown
// taking part as on the plotter (no layer choice).
void RunHpglFileOutput(COrvikCadDoc& doc, const QString& file, QWidget* parent = nullptr);
