#pragma once
// The settings dialog "初期値設定": ten pages over a copy of the settings
// record, one shown at a time under a row of tabs, and a button that puts
// back the factory settings. The opener fills Parameters before DoModal and
// reads it back after IDOK.

#include "model/ParameterBlock.h"
#include "platform/Dialog.h"

#include <array>
#include <cstdint>
#include <string_view>

class CInitPage;
class QTabBar;
class QVBoxLayout;

class CInitialSetDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 239;
    static constexpr int PageCount = 10;
    enum : int { IDC_TABS = 1340, IDC_FACTORY = 1341 };

    explicit CInitialSetDlg(QWidget* parent = nullptr);
    ~CInitialSetDlg() override;

    CParameterBlock Parameters;

    // The page shown (0-9) and its object.
    int CurrentTab() const { return m_nCurrentTab; }
    CInitPage* Page(int tab) const { return m_pages[std::size_t(tab)]; }
    CInitPage* CurrentPage() const { return Page(m_nCurrentTab); }
    QTabBar* Tabs() const { return m_tabs; }

    // Shows another page (as a click on its tab does).
    void OnSelchangeTab(int tab);
    // "出荷時設定": the factory settings into Parameters and the page shown.
    void OnFactorySettings();

    // The factory settings written over block, except the palette and
    // layer-list positions (offsets 36-47), the display switches and
    // grid-shown flag (210-219) and tolerance entries 4-7 of both tables;
    // the parts folder becomes partsFolder (code page 932, at most 80
    // bytes), the bytes after its terminator left as they were.
    static void ApplyFactorySettings(CParameterBlock& block, std::string_view partsFolder);

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    CInitPage* MakePage(int tab);
    // Reads a page back into Parameters (its sensitivity only within 1-5).
    void ReadBack(CInitPage* page);

    QTabBar* m_tabs;
    QWidget* m_pageArea;
    QVBoxLayout* m_pageLayout;
    int16_t m_nCurrentTab = 0;
    std::array<CInitPage*, PageCount> m_pages{};
};
