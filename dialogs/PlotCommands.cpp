#include "dialogs/PlotCommands.h"

#include "dialogs/PlotDlg.h"
#include "dialogs/PlotOutGoDlg.h"
#include "dialogs/PloterSetDlg.h"
#include "model/Document.h"
#include "model/Notify.h"
#include "model/ParameterBlock.h"
#include "model/Settings.h"

#include <algorithm>
#include <filesystem>

void RunPlotterOutput(COrvikCadDoc& doc, QWidget* parent)
{
    const PlotJob job = PlotJobOfDrawing(doc);
    CPlotDlg dlg(parent);
    dlg.PaperBased = job.PaperBased ? 1 : 0;
    dlg.PaperIndex = job.PaperIndex;
    dlg.ScaleIndex = job.ScaleIndex;
    dlg.PlotOffsetX = doc.parameters.PlotOffsetX;
    dlg.PlotOffsetY = doc.parameters.PlotOffsetY;
    dlg.OffsetXmm = job.OffsetXmm;
    dlg.OffsetYmm = job.OffsetYmm;
    dlg.AllLayers = job.AllLayers ? 1 : 0;
    dlg.PlotCurrentLayer = job.PlotCurrentLayer;
    dlg.LayerStates = job.LayerStates;
    dlg.DocumentScale = job.DocumentScale;
    dlg.ExtMinX = job.ExtMinX;
    dlg.ExtMinY = job.ExtMinY;
    dlg.ExtMaxX = job.ExtMaxX;
    dlg.ExtMaxY = job.ExtMaxY;
    dlg.First = job.First;
    if (dlg.DoModal() != IDOK) return;

    doc.header.printFit = static_cast<uint16_t>(dlg.PaperBased);
    doc.header.paperIndex = static_cast<uint16_t>(std::max(0, dlg.PaperIndex));
    doc.header.plotScaleChoice = static_cast<uint16_t>(std::max(0, dlg.ScaleIndex));
    doc.header.plotCorrectionX = static_cast<int16_t>(dlg.OffsetXmm);
    doc.header.plotCorrectionY = static_cast<int16_t>(dlg.OffsetYmm);
    doc.header.plotLayerChoice = static_cast<uint16_t>(dlg.AllLayers);
    doc.parameters.PlotOffsetX = dlg.PlotOffsetX;
    doc.parameters.PlotOffsetY = dlg.PlotOffsetY;

    CPlotOutGoDlg run(parent);
    run.m_job = PlotJobOfDrawing(doc);
    run.m_job.ToFile = 0;
    run.DoModal();
}

void RunPlotterSetup(COrvikCadDoc& doc, QWidget* parent)
{
    CParameterBlock& p = doc.parameters;
    CPloterSetDlg dlg(parent);
    dlg.BaudIndex = p.PlotterBaudIndex;
    dlg.DataBitsIndex = p.PlotterDataBitsIndex;
    dlg.FlowControl = p.PlotterFlowControl;
    dlg.CommandSet = p.PlotterCommandSet;
    dlg.Parity = p.PlotterParity;
    dlg.Port = p.PlotterPort;
    dlg.StopBitsIndex = p.PlotterStopBitsIndex;
    if (dlg.DoModal() != IDOK) return;
    p.PlotterBaudIndex = dlg.BaudIndex;
    p.PlotterDataBitsIndex = dlg.DataBitsIndex;
    p.PlotterFlowControl = dlg.FlowControl;
    p.PlotterCommandSet = dlg.CommandSet;
    p.PlotterParity = dlg.Parity;
    p.PlotterPort = dlg.Port;
    p.PlotterStopBitsIndex = dlg.StopBitsIndex;
    doc.SaveParameters();
    // The saved file starts from what it held and takes the process-wide
    // settings; the plotter's are this dialog's own, so they go in too.
    const std::filesystem::path folder(DataFolder);
    CParameterBlock file = p;
    ReadParameterFile(folder, file, false);
    file.PlotterBaudIndex = p.PlotterBaudIndex;
    file.PlotterDataBitsIndex = p.PlotterDataBitsIndex;
    file.PlotterFlowControl = p.PlotterFlowControl;
    file.PlotterCommandSet = p.PlotterCommandSet;
    file.PlotterParity = p.PlotterParity;
    file.PlotterPort = p.PlotterPort;
    file.PlotterStopBitsIndex = p.PlotterStopBitsIndex;
    WriteParameterFile(folder, file);
}
