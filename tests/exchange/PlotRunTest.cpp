#include "HpglTestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace hpgltest;

namespace {

PlotJob LineJob(const Chain& chain)
{
    PlotJob job;
    job.CommandSet = 0;
    job.ScaleIndex = 1;  // 1/100
    job.ExtMaxX = 1000.0f;
    job.First = chain.First();
    return job;
}

// A channel whose device stops taking commands after `limit` lines.
class StallingChannel : public PlotTextChannel {
public:
    explicit StallingChannel(int limit) : limit_(limit) {}
    bool WriteLine(std::string_view line) override
    {
        if (limit_-- <= 0) return false;
        return PlotTextChannel::WriteLine(line);
    }

private:
    int limit_;
};

} // namespace

TEST(PlotRun, OneLineAtOneHundredthInFileAndPortForm)
{
    Chain chain;
    chain.Add(Make(EntityType::Line, 3, {0, 0, 1000, 0}));
    PlotTextChannel file(true);
    int error = -1;
    EXPECT_EQ(RunToEnd(LineJob(chain), file, &error), "IN;\r\nSP3;\r\nPU0.00,0.00;\r\nPD400.00,0.00;\r\nPUSPPG;\r\n");
    EXPECT_EQ(error, PlotError::None);
    EXPECT_EQ(file.opens, 1);
    EXPECT_EQ(file.closes, 1);
    PlotTextChannel port(false);
    EXPECT_EQ(RunToEnd(LineJob(chain), port), "IN;SP3;PU0.00,0.00;PD400.00,0.00;PUSPPG;");
}

TEST(PlotRun, OlderSetsSendTheOriginAfterTheStart)
{
    Chain chain;
    chain.Add(Make(EntityType::Line, 1, {0, 0, 10, 0}));
    PlotJob job = LineJob(chain);
    job.CommandSet = 2;
    job.ScaleIndex = 6;
    job.OffsetXmm = 12;
    job.OffsetYmm = -3;
    PlotTextChannel out(true);
    EXPECT_EQ(RunToEnd(job, out), "IN;\r\nOS12,-3;\r\nPC1;\r\nLT1;\r\nMA0.00,0.00;\r\nDA10.00,0.00;\r\nPC;HP;\r\n");
}

TEST(PlotRun, TheThreeErrors)
{
    Chain chain;
    chain.Add(Make(EntityType::Line, 1, {0, 0, 10, 0}));
    {
        PlotJob job = LineJob(chain);
        job.CommandSet = 4;
        PlotTextChannel out;
        CPlotRun run(job, out);
        EXPECT_EQ(run.Start(), PlotError::NoCommandSet);
        EXPECT_EQ(run.Tick(), CPlotRun::Step::Failed);
        EXPECT_EQ(out.opens, 0);
        EXPECT_EQ(out.text, "");
        EXPECT_EQ(PlotErrorMessage(run.Error()), "プロッター出力コマンドが指定されていません。");
    }
    {
        PlotTextChannel out;
        out.refuseOpen = true;
        CPlotRun run(LineJob(chain), out);
        EXPECT_EQ(run.Start(), PlotError::OpenFailed);
        EXPECT_EQ(out.text, "");
        EXPECT_EQ(out.closes, 0);
        EXPECT_EQ(PlotErrorMessage(run.Error()), "出力ポートのオープンに失敗しました。");
    }
    {
        PlotJob job = LineJob(chain);
        job.ToFile = 1;
        PlotTextChannel out;
        out.refuseOpen = true;
        CPlotRun run(job, out);
        EXPECT_EQ(run.Start(), PlotError::FileFailed);
        EXPECT_FALSE(PlotErrorMessage(run.Error()).empty());
    }
    {
        PlotJob job = LineJob(chain);
        job.First = nullptr;
        PlotTextChannel out;
        CPlotRun run(job, out);
        EXPECT_EQ(run.Start(), PlotError::NothingToPlot);
        EXPECT_EQ(out.text, "IN;\r\n");
        EXPECT_EQ(out.closes, 1);
        EXPECT_EQ(PlotErrorMessage(run.Error()), "出力対照オブジェクトが有りません。");
    }
}

TEST(PlotRun, ProgressOfTwoHundredAndFiftyEntities)
{
    Chain chain;
    for (int i = 0; i < 250; ++i) chain.Add(Make(EntityType::Line, 1, {0, 0, 1, 0}));
    PlotTextChannel out;
    CPlotRun run(LineJob(chain), out);
    ASSERT_EQ(run.Start(), PlotError::None);
    EXPECT_EQ(run.EntityCount(), 250);
    EXPECT_EQ(run.ProgressStep(), 2);
    std::vector<int> risesAt;
    int before = run.Percent();
    for (int i = 1; i <= 250; ++i) {
        ASSERT_EQ(run.Tick(), CPlotRun::Step::Running);
        if (run.Percent() != before) risesAt.push_back(i);
        before = run.Percent();
    }
    ASSERT_GE(risesAt.size(), 3u);
    EXPECT_EQ(risesAt[0], 1);
    EXPECT_EQ(risesAt[1], 4);
    EXPECT_EQ(risesAt[2], 7);
    EXPECT_EQ(run.Percent(), 84);
    EXPECT_EQ(run.Tick(), CPlotRun::Step::Finished);
    EXPECT_EQ(run.Percent(), 100);
}

TEST(PlotRun, CancelSendsTheEndStringOnce)
{
    Chain chain;
    for (int i = 0; i < 10; ++i) chain.Add(Make(EntityType::Line, 1, {0, 0, 1, 0}));
    PlotTextChannel out(false);
    {
        CPlotRun run(LineJob(chain), out);
        ASSERT_EQ(run.Start(), PlotError::None);
        run.Tick();
        run.Tick();
        run.Cancel();
        EXPECT_FALSE(run.IsRunning());
        run.Cancel();
        EXPECT_EQ(run.Tick(), CPlotRun::Step::Finished);
    }
    EXPECT_EQ(out.text, "IN;SP1;PU0.00,0.00;PD0.40,0.00;PU0.00,0.00;PD0.40,0.00;PUSPPG;");
    EXPECT_EQ(out.closes, 1);
}

TEST(PlotRun, ARunDroppedWhileOpenStillEndsThePlot)
{
    Chain chain;
    chain.Add(Make(EntityType::Line, 1, {0, 0, 1, 0}));
    PlotTextChannel out(false);
    {
        CPlotRun run(LineJob(chain), out);
        ASSERT_EQ(run.Start(), PlotError::None);
    }
    EXPECT_EQ(out.text, "IN;PUSPPG;");
    EXPECT_EQ(out.closes, 1);
}

TEST(PlotRun, AStalledPlotterEndsTheRunWithoutWaitingForEver)
{
    Chain chain;
    for (int i = 0; i < 10; ++i) chain.Add(Make(EntityType::Line, 1, {0, 0, 1, 0}));
    StallingChannel out(4);
    CPlotRun run(LineJob(chain), out);
    ASSERT_EQ(run.Start(), PlotError::None);
    CPlotRun::Step step = CPlotRun::Step::Running;
    int ticks = 0;
    while (step == CPlotRun::Step::Running && ticks < 20) {
        step = run.Tick();
        ++ticks;
    }
    EXPECT_EQ(step, CPlotRun::Step::Failed);
    EXPECT_EQ(run.Error(), PlotError::Stalled);
    EXPECT_LE(ticks, 3);
    EXPECT_EQ(out.closes, 1);
    EXPECT_FALSE(PlotErrorMessage(run.Error()).empty());
}

TEST(PlotRun, LayerFilter)
{
    struct Case {
        int layer;
        int allLayers;
        bool plotted;
    };
    // Current layer 3; layers 1, 12 and 100 shown in their own colours, 5 off-colour, 7 hidden.
    const Case cases[] = {
        {3, 0, true},   {1, 0, true},  {12, 0, true}, {100, 0, true}, {5, 0, false},
        {7, 0, false},  {13, 0, false}, {200, 0, false}, {-1, 0, false}, {7, 1, true}, {13, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "layer " << c.layer << " all " << c.allLayers);
        Chain chain;
        chain.Add(Make(EntityType::Line, 1, {0, 0, 1, 0})).layer = static_cast<int16_t>(c.layer);
        PlotJob job = LineJob(chain);
        job.AllLayers = c.allLayers;
        job.PlotCurrentLayer = 3;
        job.LayerStates[1] = 2;
        job.LayerStates[12] = 2;
        job.LayerStates[100] = 2;
        job.LayerStates[5] = 1;
        job.LayerStates[7] = 0;
        PlotTextChannel out(false);
        EXPECT_EQ(RunToEnd(job, out), c.plotted ? "IN;SP1;PU0.00,0.00;PD0.40,0.00;PUSPPG;" : "IN;PUSPPG;");
    }
}

TEST(PlotRun, DeletedEntitiesAndTheGridRecordLeaveNoTrace)
{
    Chain chain;
    chain.Add(Make(EntityType::Grid, 305, {10, 10}));
    chain.Add(Make(EntityType::Line, 2, {0, 0, 1, 0})).state = EntityState::Deleted;
    chain.Add(Make(EntityType::Line, 3, {0, 0, 1000, 0}));
    PlotTextChannel out(false);
    EXPECT_EQ(RunToEnd(LineJob(chain), out), "IN;SP3;PU0.00,0.00;PD400.00,0.00;PUSPPG;");
}

TEST(PlotRun, FlowFlagsOfTheFlowControlChoice)
{
    EXPECT_EQ(PlotFlowFlags(0), 0u);
    EXPECT_EQ(PlotFlowFlags(1), 1u);
    EXPECT_EQ(PlotFlowFlags(2), 2u);
    EXPECT_EQ(PlotFlowFlags(3), 4u);
    EXPECT_EQ(PlotFlowFlags(4), 0u);
    EXPECT_EQ(PlotFlowFlags(-1), 0u);
}
