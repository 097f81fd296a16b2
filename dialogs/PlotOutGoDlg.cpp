#include "dialogs/PlotOutGoDlg.h"

#include "model/Document.h"
#include "platform/Controls.h"
#include "platform/Ui.h"

#include <QBasicTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimerEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>

CPlotOutGoDlg::CPlotOutGoDlg(QWidget* parent) : CDialog(IDD_PLOTOUTGO, parent), m_timer(new QBasicTimer)
{
    setWindowTitle(QStringLiteral("プロッタ-出力"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("プロッター出力中、しばらくお待ちください。"), this));
    auto* row = new QHBoxLayout;
    m_progress = new QProgressBar(this);
    m_progress->setTextVisible(false);
    platform::setControlId(m_progress, IDC_PLOT_PROGRESS);
    row->addWidget(m_progress, 1);
    m_percent = new QLabel(QStringLiteral("100 %"), this);
    platform::setControlId(m_percent, IDC_PLOT_PERCENT);
    row->addWidget(m_percent);
    layout->addLayout(row);
    auto* buttons = new QHBoxLayout;
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    platform::setControlId(cancel, IDCANCEL);
    connect(cancel, &QPushButton::clicked, this, [this] { OnCancel(); });
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addStretch();
    layout->addLayout(buttons);
}

CPlotOutGoDlg::~CPlotOutGoDlg()
{
    // A dialog destroyed while its run is open still ends the plot.
    m_timer->stop();
    m_run.reset();
}

bool CPlotOutGoDlg::OnInitDialog()
{
    m_port.ToFile = m_job.ToFile;
    m_port.FileName = m_strFileName;
    m_run = std::make_unique<CPlotRun>(m_job, m_port);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_timer->start(1, this);
    if (m_run->Start() == PlotError::OpenFailed) {
        platform::beep(0);
        platform::messageBox(QString::fromUtf8(PlotPortOpenMessage));
    }
    return true;
}

void CPlotOutGoDlg::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_timer->timerId())
        OnTimer();
    else
        CDialog::timerEvent(event);
}

void CPlotOutGoDlg::ShowPercent(int percent)
{
    char text[16];
    std::snprintf(text, sizeof text, "%3d %%", percent);
    m_percent->setText(QString::fromLatin1(text));
    m_progress->setValue(std::clamp(percent, 0, 100));
    m_shownPercent = percent;
}

void CPlotOutGoDlg::StopAndEnd(int result)
{
    m_timer->stop();
    if (!m_ended) {
        m_ended = true;
        EndDialog(result);
    }
}

void CPlotOutGoDlg::OnTimer()
{
    if (!m_run || m_ended) return;
    if (m_run->Error() != PlotError::None) {
        StopAndEnd(IDCANCEL);
        platform::messageBox(QString::fromUtf8(PlotErrorMessage(m_run->Error()).data(),
                                               static_cast<int>(PlotErrorMessage(m_run->Error()).size())));
        return;
    }
    switch (m_run->Tick()) {
    case CPlotRun::Step::Running:
        if (m_run->Percent() != m_shownPercent) ShowPercent(m_run->Percent());
        return;
    case CPlotRun::Step::Finished:
        ShowPercent(100);
        StopAndEnd(IDOK);
        return;
    case CPlotRun::Step::Failed:
        OnTimer();  // ends with the error's message
        return;
    }
}

void CPlotOutGoDlg::OnCancel()
{
    if (m_run) m_run->Cancel();
    StopAndEnd(IDCANCEL);
}

PlotJob PlotJobOfDrawing(const COrvikCadDoc& doc)
{
    PlotJob job;
    job.PaperBased = doc.header.printFit;
    job.PaperIndex = doc.header.paperIndex;
    job.ScaleIndex = doc.header.plotScaleChoice;
    job.OffsetXmm = doc.header.plotCorrectionX;
    job.OffsetYmm = doc.header.plotCorrectionY;
    job.DocumentScale = doc.header.scale;
    job.CommandSet = doc.parameters.PlotterCommandSet;
    job.Port = doc.parameters.PlotterPort;
    job.BaudIndex = doc.parameters.PlotterBaudIndex;
    job.DataBitsIndex = doc.parameters.PlotterDataBitsIndex;
    job.Parity = doc.parameters.PlotterParity;
    job.StopBitsIndex = doc.parameters.PlotterStopBitsIndex;
    job.FlowControl = doc.parameters.PlotterFlowControl;
    job.ExtMinX = static_cast<float>(doc.ExtentsMin[0]);
    job.ExtMinY = static_cast<float>(doc.ExtentsMin[1]);
    job.ExtMaxX = static_cast<float>(doc.ExtentsMax[0]);
    job.ExtMaxY = static_cast<float>(doc.ExtentsMax[1]);
    job.AllLayers = doc.header.plotLayerChoice;
    job.PlotCurrentLayer = doc.currentLayer;
    const int layers = std::clamp<int>(doc.layerCount, 0, static_cast<int>(job.LayerStates.size()));
    for (int i = 0; i < layers; ++i) job.LayerStates[static_cast<std::size_t>(i)] = doc.layerStates[static_cast<std::size_t>(i)];
    job.First = doc.list.first;
    return job;
}

void RunHpglFileOutput(COrvikCadDoc& doc, const QString& file, QWidget* parent)
{
    CPlotOutGoDlg dlg(parent);
    dlg.m_job = PlotJobOfDrawing(doc);
    dlg.m_job.ToFile = 1;
    dlg.m_job.AllLayers = 0;
    dlg.m_strFileName = file;
    dlg.DoModal();
}
