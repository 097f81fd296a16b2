#include "resources/Strings.h"

#include "resources/Resource.h"

#include <map>

namespace {

const std::map<unsigned, const char*>& Table()
{
    static const std::map<unsigned, const char*> table = {
        {IDP_OLE_INIT_FAILED, "初期化に失敗しました。必要なライブラリが正しく導入されているか確認してください。"},
        {IDR_MAINFRAME, "OrvikCAD"},
        {IDR_ORVIKCTYPE, "\nOrvik\nOrvik\nOrvikCAD 図面 (*.orv)\n.orv\nOrvikCAD.Document\nOrvikCAD Document"},
        {ID_INDICATOR_X, "X :      0"},
        {ID_INDICATOR_Y, "Y :      0"},

        {ID_FILE_NEW, "新しい図面を作成します。\n新規作成"},
        {ID_FILE_OPEN, "既存の図面を開きます。\n開く"},
        {ID_FILE_CLOSE, "作業中の図面を閉じます。\n閉じる"},
        {ID_FILE_SAVE, "作業中の図面を上書きして保存します。\n上書き保存"},
        {ID_FILE_SAVE_AS, "作業中の図面を新しい名前で保存します。\n名前を付けて保存"},
        {ID_FILE_PRINT_SETUP, "プリンタと印刷の設定を変更します。\nプリンタの設定"},
        {ID_FILE_PRINT, "作業中の図面を印刷します。\n印刷"},
        {ID_FILE_PRINT_PREVIEW, "印刷イメージを表示します。\n印刷プレビュー"},
        {ID_FILE_SEND_MAIL, "作業中の図面をメールに添付して送信します。\n図面送信"},
        {ID_APP_ABOUT, "プログラム情報、バージョン、著作権を表示します。\nバージョン情報"},
        {ID_APP_EXIT, "アプリケーションを終了し、図面の保存を指示します。\n終了"},
        {ID_EDIT_COPY, "図面をクリップボードにコピーします。\nクリップボードにコピー"},
        {ID_EDIT_UNDO, "直前に行った操作を元に戻します。\n元に戻す"},
        {ID_VIEW_TOOLBAR, "ツール バーの表示/非表示を切り替えます。\nツール バー"},
        {ID_VIEW_STATUS_BAR, "ステータス バーの表示/非表示を切り替えます。\nステータス バー"},

        {ID_FILE_OPEN_DXF, "ＤＸＦファイルを開きます。\nＤＸＦファイルを開く"},
        {ID_FILE_OPEN_JWC, "JWＣファイルを開きます。\nJWＣファイルを開く"},
        {ID_FILE_OPEN_JWW, "JWWファイルを開きます。\nJWWファイルを開く"},
        {ID_APP_INITIAL_SETTINGS, "初期値を設定します。\n初期値設定"},
        {ID_DOC_INITIAL_SETTINGS, "初期値を設定します。\n初期値設定"},
        {ID_DIM_TOLERANCE, "寸法公差を設定します。\n寸法公差設定"},
        {ID_FILE_SAVE_DXF, "ＤＸＦ形式で保存します。\nＤＸＦ形式で保存"},
        {ID_FILE_SAVE_JWW, "JWW形式で保存します。\nJWW形式で保存"},
        {ID_FILE_SAVE_HPGL, "HPGL形式で保存します。\nHPGL形式で保存"},
        {ID_FILE_SAVE_EMF, "EMF形式で保存します。\nEMF形式で保存"},
        {ID_FILE_SAVE_IMAGE, "指定した範囲を画像で保存します。\n画像で保存"},
        {ID_PLOTTER_OUTPUT, "プロッターに出力します。\nプロッター出力"},
        {ID_PLOTTER_SETUP, "プロッターを設定します。\nプロッターの設定"},
        {ID_SELECT_ALL, "現在のレイヤーの図形をすべて選択します。\nすべて選択"},

        {ID_VIEW_DRAW_PALETTE, "作図パレットを表示します。\n作図パレット"},
        {ID_VIEW_PARTS_TREE, "部品データを表示します。\n部品データ"},
        {ID_VIEW_LAYER_LIST, "レイヤーリストを表示します。\nレイヤーリスト"},
        {ID_VIEW_REDISPLAY, "図面を再表示します。\n再表示"},
        {ID_VIEW_BASE, "基準画面に戻ります。\n基準画面に戻る"},
        {ID_VIEW_FIT_ALL, "図面全体を表示します。\n全体表示"},
        {ID_VIEW_GRID, "グリッドの表示を切り替えます。\nグリッド表示"},
        {ID_VIEW_DRAWING_RANGE, "作図範囲の表示を切り替えます。\n作図範囲表示"},
        {ID_VIEW_ORIGIN_MARK, "原点マークの表示を切り替えます。\n原点マーク表示"},
        {ID_VIEW_MAGNET, "マグネット機能を切り替えます。\nマグネット機能"},
        {ID_VIEW_ZOOM_IN, "表示を拡大します。\n拡大"},
        {ID_VIEW_ZOOM_OUT, "表示を縮小します。\n縮小"},
        {ID_VIEW_ZOOM_BOX, "指定した範囲を拡大します。\n範囲拡大"},
        {ID_VIEW_HAND_MOVE, "表示をドラッグして移動します。\nハンド移動"},
        {ID_VIEW_CENTER_MOVE, "クリックした点を画面の中心にします。\n中心移動"},
        {ID_VIEW_LENGTH_READOUT, "距離表示を切り替えます。\n距離表示"},
        {ID_ELEMENT_LIST, "数値入力による作図要素の編集を行います。\n作図要素リスト"},
        {ID_APPLY_GRID, "グリッドの設定を図面に適用します。\nグリッド設定"},
        {ID_DRAWING_INFO, "図面の情報を表示、変更します。\n図面情報"},

        {ID_LAYER_NORMAL, "現在のレイヤーを通常色で表示します。\n通常色表示"},
        {ID_LAYER_OFFCOLOR, "現在のレイヤーをオフカラーで表示します。\nオフカラー表示"},
        {ID_LAYER_HIDDEN, "現在のレイヤーを表示しません。\n表示しない"},
        {ID_LAYER_ADD, "レイヤーを追加します。\nレイヤーの追加"},
        {ID_LAYER_PROPERTY, "現在のレイヤーの名前を変更します。\nプロパティ"},
    };
    return table;
}

} // namespace

std::string LoadStringResource(unsigned id)
{
    auto it = Table().find(id);
    return it == Table().end() ? std::string() : std::string(it->second);
}

CommandPrompt LoadCommandPrompt(unsigned id)
{
    std::string text = LoadStringResource(id);
    auto nl = text.find('\n');
    if (nl == std::string::npos) {
        return {text, {}};
    }
    return {text.substr(0, nl), text.substr(nl + 1)};
}
