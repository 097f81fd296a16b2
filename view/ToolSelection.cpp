// COrvikCadView: choosing the operation from the drawing menu, and the two
// commands that switch between the drawing palette and the parts palette.

#include "view/ToolSelection.h"

#include "view/FrameHost.h"
#include "view/OrvikCadView.h"
#include "model/Settings.h"
#include "view/ToolState.h"

#include <iterator>

std::function<void(int, int)> SyncDrawPalette;

namespace {

// Ids run in menu order except for two: 32819 is the circle sub-menu's
// second item, 32818 the line sub-menu's eighth.
constexpr DrawCommand Commands[] = {
    {32801, 0, 0, "図形選択"},      {32802, 0, 1, "グループ登録"},  {32803, 0, 2, "グループ解除"},
    {32804, 0, 3, "部品データ登録"}, {32805, 0, 4, "作図要素リスト"},
    {32806, 1, 0, "任意点"},        {32807, 1, 1, "座標入力"},      {32808, 1, 2, "交点"},
    {32809, 1, 3, "移動点"},        {32810, 1, 4, "構成点"},
    {32811, 2, 0, "直線"},          {32812, 2, 1, "連続線"},        {32813, 2, 2, "無限線"},
    {32814, 2, 3, "垂線"},          {32815, 2, 4, "平行線"},        {32816, 2, 5, "中心線"},
    {32817, 2, 6, "幅付き線"},      {32818, 2, 7, "接線"},          {32820, 2, 8, "角度移動線"},
    {32821, 3, 0, "ベジェ曲線"},    {32822, 3, 1, "連続円弧"},      {32823, 3, 2, "自由曲線"},
    {32824, 4, 0, "円（半径指定）"}, {32819, 4, 1, "円（直径指定）"}, {32825, 4, 2, "３点円"},
    {32826, 4, 3, "円弧（半径）"},   {32827, 4, 4, "円弧（直径）"},   {32828, 4, 5, "３点円弧"},
    {32829, 5, 0, "ボックス"},      {32830, 5, 1, "平行四辺形"},    {32831, 5, 2, "多角形"},
    {32832, 6, 0, "任意文字"},      {32833, 6, 1, "指示線付き"},
    {32834, 7, 0, "距離寸法"},      {32835, 7, 1, "水平寸法"},      {32836, 7, 2, "垂直寸法"},
    {32837, 7, 3, "円周"},          {32838, 7, 4, "半径"},          {32839, 7, 5, "直径"},
    {32840, 7, 6, "角度寸法"},      {32841, 7, 7, "面積"},
    {32842, 8, 0, "単一削除"},      {32843, 8, 1, "クロス削除"},    {32844, 8, 2, "グループ削除"},
    {32845, 9, 0, "伸縮"},          {32846, 9, 1, "基準線伸縮"},    {32847, 9, 2, "カット"},
    {32848, 9, 3, "２線間カット"},  {32849, 9, 4, "接合"},          {32850, 9, 5, "包括処理"},
    {32851, 10, 0, "コーナー"},
    {32852, 11, 0, "拡大・縮小"},   {32853, 11, 1, "ストレッチ"},   {32854, 11, 2, "オフセット"},
    {32855, 12, 0, "移動"},         {32856, 12, 1, "複写"},         {32857, 12, 2, "水平反転移動"},
    {32858, 12, 3, "水平反転複写"}, {32859, 12, 4, "垂直反転移動"}, {32860, 12, 5, "垂直反転複写"},
    {32861, 12, 6, "図面間複写"},
    {32862, 13, 0, "ハッチング"},   {32863, 13, 1, "塗りつぶし"},
    {32864, 14, 0, "画像貼付け"},
    {32865, 15, 0, "円柱展開図"},   {32866, 15, 1, "四角柱展開図"}, {32867, 15, 2, "円錐展開図"},
};

} // namespace

const DrawCommand* DrawCommands(int& count)
{
    count = static_cast<int>(std::size(Commands));
    return Commands;
}

bool DrawCommandPair(unsigned id, int& group, int& item)
{
    for (const DrawCommand& c : Commands) {
        if (c.id == id) {
            group = c.group;
            item = c.item;
            return true;
        }
    }
    return false;
}

void COrvikCadView::SelectDrawCommand(int group, int item)
{
    OnCancelInput();
    CFrameHost* frame = AfxGetFrameHost();
    if (PaletteShown != 0) {
        if (!frame)
            return;
        frame->ClosePartsPalette();
        frame->ShowDrawPalette();
        PaletteShown = 0;
    }
    PaletteSubCommand = static_cast<int16_t>(item);
    PaletteCategory = static_cast<int16_t>(group);
    SetCurrentTool(group, item);
    if (frame && frame->DrawPalette() && SyncDrawPalette)
        SyncDrawPalette(group, item);
}

void COrvikCadView::OnViewDrawPalette()
{
    if (PaletteShown == 0)
        return;
    PaletteShown = 0;
    if (CFrameHost* frame = AfxGetFrameHost()) {
        frame->ClosePartsPalette();
        frame->ShowDrawPalette();
        SetCurrentTool(PaletteCategory, PaletteSubCommand);
    }
}

void COrvikCadView::OnViewPartsTree()
{
    if (PaletteShown == 1)
        return;
    PaletteShown = 1;
    if (CFrameHost* frame = AfxGetFrameHost()) {
        frame->CloseDrawPalette();
        frame->ShowPartsTree();
        CurrentToolId = 16;
        ToolSubMode = 0;
        OperationRestarted = 0;
        InputPointCount = 0;
        XorPreviewShown = 0;
    }
}
