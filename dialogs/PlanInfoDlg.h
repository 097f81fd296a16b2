#pragma once
// The drawing-information dialog: names, author and updater, scale, paper,
// dates, print type, paper source and the drawing's protection. For an
// existing drawing the file name, author and creation date are read-only, and
// a password-protected drawing is released only with its password.

#include "platform/Dialog.h"

#include <string>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;

class CPlanInfoDlg : public CDialog {
    Q_OBJECT
public:
    enum : int {
        IDC_FILE_NAME = 1156,
        IDC_PLAN_NAME = 1179,
        IDC_AUTHOR = 1193,
        IDC_UPDATER = 1204,
        IDC_SCALE = 1206,
        IDC_PAPER = 1207,
        IDC_LANDSCAPE = 1208,
        IDC_PORTRAIT = 1209,
        IDC_MAKE_YEAR = 1210,
        IDC_UPDATE_YEAR = 1211,
        IDC_MAKE_MONTH = 1212,
        IDC_UPDATE_MONTH = 1213,
        IDC_MAKE_DAY = 1214,
        IDC_UPDATE_DAY = 1215,
        IDC_PRINT_ACTUAL = 1216,
        IDC_PRINT_HARDCOPY = 1217,
        IDC_PROTECT_NONE = 1218,
        IDC_PROTECT_WRITE = 1219,
        IDC_PROTECT_PASSWORD = 1220,
        IDC_PASSWORD = 1221,
        IDC_SOURCE_PAPER = 1461,
        IDC_SOURCE_PRINTER = 1462,
        IDC_PAPER_LABEL = 1463,
    };

    explicit CPlanInfoDlg(QWidget* parent = nullptr);

    // Text members hold code page 932 bytes.
    std::string m_strFileName;  // at most 60 bytes
    std::string m_strPlanName;  // 60
    std::string m_strAuthor;    // 40
    std::string m_strUpdater;   // 40
    int m_nScale = 1;           // 1 / N, 1 to 100000
    int m_nPaper = 0;           // 0 A0 ... 6 A6, 7 B4, 8 B5, 9 B6
    std::string m_strMakeYear, m_strMakeMonth, m_strMakeDay;       // 4, 2, 2
    std::string m_strUpdateYear, m_strUpdateMonth, m_strUpdateDay; // 4, 2, 2
    std::string m_strPassword;  // 8
    int m_bExisting = 0;        // 0 a new drawing, 1 an existing one
    int m_nOrientation = 0;     // 0 landscape, 1 portrait
    int m_nProtection = 0;      // 0 none, 1 write-protected, 2 password
    int m_nPrintType = 0;       // 0 actual size, 1 hard copy (print fit)
    int m_nPaperSource = 0;     // 0 the paper chosen here, 1 the printer's paper
    int m_nProtectionAtOpen = 0;
    int m_bFromView = 0;        // preset to 1 by the view's command

protected:
    bool OnInitDialog() override;

private:
    QLineEdit* AddEdit(int id, int maxBytes);
    void CheckRadios();
    void EnablePaperList(bool on);
    void OnProtectionClicked(int id);
    // Releases password protection; true when it may be released.
    bool ReleaseProtection();

    QLineEdit* m_editFileName;
    QLineEdit* m_editPlanName;
    QLineEdit* m_editAuthor;
    QLineEdit* m_editUpdater;
    QLineEdit* m_editScale;
    QListWidget* m_listPaper;
    QLabel* m_labelPaper;
    QLineEdit* m_editMake[3];
    QLineEdit* m_editUpdate[3];
    QLineEdit* m_editPassword;
    QRadioButton* m_radio[9];
    std::string m_strPasswordAtOpen;
};
