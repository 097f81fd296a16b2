#include "dialogs/InitialSetDlg.h"

#include "dialogs/InitPages.h"
#include "model/Settings.h"
#include "platform/Controls.h"
#include "platform/Encoding.h"
#include "platform/Places.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

#include <string>

namespace {

constexpr const char* TabCaptions[CInitialSetDlg::PageCount] = {
    "縮尺", "グリッド", "寸法線", "寸法頭文字", "文字列", "ハッチング", "カラー", "ペン設定", "太線サイズ", "部品データ",
};

// The factory parts folder: the user's own, under the home folder.
std::string FactoryPartsFolder()
{
    return ToCp932(platform::partsFolder());
}

} // namespace

CInitialSetDlg::CInitialSetDlg(QWidget* parent) : CDialog(IDD, parent)
{
    setWindowTitle(QStringLiteral("初期値設定"));
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabBar(this);
    platform::setControlId(m_tabs, IDC_TABS);
    m_tabs->setExpanding(false);
    layout->addWidget(m_tabs);
    m_pageArea = new QWidget(this);
    m_pageArea->setMinimumSize(480, 280);
    m_pageLayout = new QVBoxLayout(m_pageArea);
    m_pageLayout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(m_pageArea, 1);

    QHBoxLayout* buttons = MakeOkCancelRow(QStringLiteral("設定保存"), QStringLiteral("ｷｬﾝｾﾙ"));
    auto* factory = new QPushButton(QStringLiteral("出荷時設定"), this);
    platform::setControlId(factory, IDC_FACTORY);
    factory->setAutoDefault(false);
    buttons->insertWidget(0, factory);
    layout->addLayout(buttons);

    connect(factory, &QPushButton::clicked, this, &CInitialSetDlg::OnFactorySettings);
    connect(m_tabs, &QTabBar::currentChanged, this, &CInitialSetDlg::OnSelchangeTab);
}

CInitialSetDlg::~CInitialSetDlg()
{
    // The pages go with the dialog's children; forget them first so that no
    // tab change reaches a page being destroyed.
    QSignalBlocker quiet(m_tabs);
    m_pages.fill(nullptr);
}

bool CInitialSetDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    {
        QSignalBlocker quiet(m_tabs);
        while (m_tabs->count() > 0)
            m_tabs->removeTab(0);
        for (const char* caption : TabCaptions)
            m_tabs->addTab(QString::fromUtf8(caption));
        m_tabs->setCurrentIndex(0);
    }
    m_nCurrentTab = 0;
    if (!m_pages[0]) {
        m_pages[0] = MakePage(0);
        m_pages[0]->Take(Parameters);
        m_pages[0]->Create();
    }
    CommandArgument = Parameters.UnitsMode;
    return true;
}

CInitPage* CInitialSetDlg::MakePage(int tab)
{
    CInitPage* page = nullptr;
    switch (tab) {
    case 0: page = new CInitScaleDlg(m_pageArea); break;
    case 1: page = new CInitGridDlg(m_pageArea); break;
    case 2: page = new CInitDimDlg(m_pageArea); break;
    case 3: page = new CInitAtamaMojiDlg(m_pageArea); break;
    case 4: page = new CInitTextDlg(m_pageArea); break;
    case 5: page = new CInitHatDlg(m_pageArea); break;
    case 6: page = new CInitColorDlg(m_pageArea); break;
    case 7: page = new CInitPenDlg(m_pageArea); break;
    case 8: page = new CInitHutosenDlg(m_pageArea); break;
    default: page = new CInitBuhinDlg(m_pageArea); break;
    }
    m_pageLayout->addWidget(page);
    return page;
}

void CInitialSetDlg::ReadBack(CInitPage* page)
{
    if (!page)
        return;
    page->UpdateData(true);
    page->Give(Parameters);
}

void CInitialSetDlg::OnSelchangeTab(int tab)
{
    if (tab < 0 || tab >= PageCount || tab == m_nCurrentTab)
        return;
    // The new page is made before the old one is read back, so a units
    // choice made on the scale page reaches the labels only of pages made
    // later.
    CInitPage* page = MakePage(tab);
    page->Take(Parameters);
    m_pages[std::size_t(tab)] = page;
    page->Create();

    CInitPage* old = m_pages[std::size_t(m_nCurrentTab)];
    ReadBack(old);
    m_pages[std::size_t(m_nCurrentTab)] = nullptr;
    if (old) {
        m_pageLayout->removeWidget(old);
        delete old;
    }
    m_nCurrentTab = int16_t(tab);
    if (m_tabs->currentIndex() != tab) {
        QSignalBlocker quiet(m_tabs);
        m_tabs->setCurrentIndex(tab);
    }
}

void CInitialSetDlg::OnOK()
{
    ReadBack(CurrentPage());
    CDialog::OnOK();
}

void CInitialSetDlg::OnCancel()
{
    CDialog::OnCancel();
}

void CInitialSetDlg::ApplyFactorySettings(CParameterBlock& block, std::string_view partsFolder)
{
    const CParameterBlock kept = block;
    block = CParameterBlock();
    block.PaletteLeft = kept.PaletteLeft;
    block.PaletteTop = kept.PaletteTop;
    block.LayerListLeft = kept.LayerListLeft;
    block.LayerListTop = kept.LayerListTop;
    block.LayerListWidth = kept.LayerListWidth;
    block.LayerListHeight = kept.LayerListHeight;
    block.ShowDrawingRange = kept.ShowDrawingRange;
    block.ShowOriginMark = kept.ShowOriginMark;
    block.MagnetEnabled = kept.MagnetEnabled;
    block.LengthReadoutEnabled = kept.LengthReadoutEnabled;
    block.GridShown = kept.GridShown;
    for (std::size_t i = 4; i < kept.ToleranceValue1.size(); ++i) {
        block.ToleranceValue1[i] = kept.ToleranceValue1[i];
        block.ToleranceValue2[i] = kept.ToleranceValue2[i];
    }
    block.PartsFolder = kept.PartsFolder;
    CInitPage::StoreText(block.PartsFolder, partsFolder, MaxPartsFolderBytes);
}

void CInitialSetDlg::OnFactorySettings()
{
    ApplyFactorySettings(Parameters, FactoryPartsFolder());
    if (CInitPage* page = CurrentPage()) {
        page->Take(Parameters);
        page->Refresh();
    }
}
