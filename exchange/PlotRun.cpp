// The plot run, one entity per step.

#include "exchange/PlotRun.h"

#include <algorithm>

std::string_view PlotErrorMessage(int error)
{
    switch (error) {
    case PlotError::NoCommandSet: return "プロッター出力コマンドが指定されていません。";
    case PlotError::OpenFailed: return "出力ポートのオープンに失敗しました。";
    case PlotError::NothingToPlot: return "出力対照オブジェクトが有りません。";
    case PlotError::Stalled: return "プロッターが応答しません。出力を中止しました。";
    case PlotError::FileFailed: return "ＨＰＧＬファイルの書き込みに失敗しました。";
    default: return {};
    }
}

unsigned PlotFlowFlags(int flowControl)
{
    switch (flowControl) {
    case 1: return 1;
    case 2: return 2;
    case 3: return 4;
    default: return 0;
    }
}

bool PlotTakesLayer(const PlotJob& job, int type, int layer)
{
    if (type == EntityType::Grid || job.AllLayers) return true;
    if (layer == job.PlotCurrentLayer) return true;
    return layer >= 0 && layer < static_cast<int>(job.LayerStates.size()) &&
           job.LayerStates[static_cast<std::size_t>(layer)] == 2;
}

class CPlotRun::ChannelSink : public HpglCommandSink {
public:
    explicit ChannelSink(CPlotRun& run) : run_(run) {}
    void Command(std::string_view command) override
    {
        if (!stalled) stalled = !run_.Send(command);
    }
    bool stalled = false;

private:
    CPlotRun& run_;
};

CPlotRun::~CPlotRun()
{
    Cancel();
    if (channelOpen_) {
        channel_.Close();
        channelOpen_ = false;
    }
}

bool CPlotRun::Send(std::string_view command)
{
    return channel_.WriteLine(command);
}

int CPlotRun::Start()
{
    count_ = 0;
    for (const CEntity* e = job_.First; e; e = e->next) ++count_;
    step_ = count_ / 100;
    sinceStep_ = 0;
    percent_ = 0;
    error_ = PlotError::None;
    running_ = false;

    if (job_.CommandSet < 0 || job_.CommandSet > HpglLastCommandSet) {
        error_ = PlotError::NoCommandSet;
        return error_;
    }
    emitter_.Prepare(job_.CommandSet, job_.OffsetXmm, job_.OffsetYmm);
    if (!channel_.Open(job_.Port, job_.BaudIndex, job_.DataBitsIndex, job_.Parity, job_.StopBitsIndex,
                       PlotFlowFlags(job_.FlowControl))) {
        error_ = job_.ToFile ? PlotError::FileFailed : PlotError::OpenFailed;
        return error_;
    }
    channelOpen_ = true;
    bool sent = Send(emitter_.StartString());
    if (sent && (job_.CommandSet == 2 || job_.CommandSet == 3))
        sent = Send(emitter_.OriginCommand(job_.OffsetXmm, job_.OffsetYmm));
    emitter_.PaperFactor = HpglPaperFactor(job_.PaperBased, job_.PaperIndex);
    emitter_.PlotScale = HpglPlotScale(job_.ExtMinX, job_.ExtMinY, job_.ExtMaxX, job_.ExtMaxY, job_.ScaleIndex,
                                       job_.DocumentScale);
    emitter_.ExtMinX = job_.ExtMinX;
    emitter_.ExtMinY = job_.ExtMinY;
    if (!sent) {
        channel_.Close();
        channelOpen_ = false;
        error_ = PlotError::Stalled;
        return error_;
    }
    if (!job_.First) {
        channelOpen_ = false;
        if (!channel_.Close() && job_.ToFile) {
            error_ = PlotError::FileFailed;
            return error_;
        }
        error_ = PlotError::NothingToPlot;
        return error_;
    }
    current_ = job_.First;
    running_ = true;
    return error_;
}

void CPlotRun::Finish()
{
    running_ = false;
    const bool ended = Send(emitter_.EndString());
    channelOpen_ = false;
    const bool kept = channel_.Close();
    if (!ended)
        error_ = PlotError::Stalled;
    else if (!kept)
        error_ = job_.ToFile ? PlotError::FileFailed : PlotError::Stalled;
}

CPlotRun::Step CPlotRun::Tick()
{
    if (error_ != PlotError::None) return Step::Failed;
    if (!running_) return Step::Finished;
    if (!current_) {
        percent_ = 100;
        Finish();
        return error_ == PlotError::None ? Step::Finished : Step::Failed;
    }
    const CEntity& e = *current_;
    if (e.state != EntityState::Deleted && PlotTakesLayer(job_, e.type, e.layer)) {
        ChannelSink sink(*this);
        emitter_.OutputEntity(e, sink);
        if (sink.stalled) {
            // A plotter that takes nothing more gets no end string either.
            running_ = false;
            channelOpen_ = false;
            channel_.Close();
            error_ = PlotError::Stalled;
            return Step::Failed;
        }
    }
    current_ = current_->next;
    if (sinceStep_ >= step_ || percent_ == 0) {
        sinceStep_ = 0;
        percent_ = std::min(percent_ + 1, 100);
    } else {
        ++sinceStep_;
    }
    return Step::Running;
}

void CPlotRun::Cancel()
{
    if (!running_) return;
    Finish();
}
