#pragma once
// The image property dialog: the two corners of a placed image, shown as two
// corners or as a corner with width and height, and its file, with the
// picture fitted into a preview and its size and colour depth.

#include "dialogs/PropertyDialog.h"

#include <QImage>
#include <QString>

class QLabel;
class QLineEdit;
class QRadioButton;

inline constexpr unsigned IDD_CHANGE_IMAGE = 221;

// Where a picture of width x height pixels goes when fitted into the box
// (left, top)-(right, bottom) keeping its shape and centred; an offset under
// two pixels is dropped. Empty (all 0) for a picture without pixels.
struct FittedImage {
    int left = 0, top = 0, width = 0, height = 0;
};
FittedImage FitImage(int width, int height, int left, int top, int right, int bottom);

class CChangeImageDlg : public CPropertyDialog {
    Q_OBJECT
public:
    static constexpr int IDC_PATH = 1150;
    static constexpr int IDC_START_X = 1176;
    static constexpr int IDC_START_Y = 1192;
    static constexpr int IDC_X_ROW = 1203;
    static constexpr int IDC_PREVIEW = 1272;
    static constexpr int IDC_PIXEL_WIDTH = 1273;
    static constexpr int IDC_PIXEL_HEIGHT = 1274;
    static constexpr int IDC_DEPTH = 1275;
    static constexpr int IDC_BROWSE = 1276;
    static constexpr int IDC_CORNERS = 1277;
    static constexpr int IDC_SIZES = 1278;
    static constexpr int IDC_Y_ROW = 1279;
    static constexpr int IDC_X_ROW_LABEL = 1281;
    static constexpr int IDC_Y_ROW_LABEL = 1282;

    explicit CChangeImageDlg(QWidget* parent = nullptr);

    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // relative to the drawing origin
    int sizeMode = 0;                       // 0 far corner, 1 width and height
    QString path;

    // Switches the presentation of the X and Y rows (a refused field keeps
    // the presentation as it was).
    void OnSizeMode(int mode);
    // Reads the four fields with the messages of mode, then shows the X and
    // Y rows in mode: false (message shown, focus on the field) when a field
    // was refused.
    bool ConvertCoordinates(int mode);
    void OnBrowse();

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    // The four fields read into x1, y1, x2, y2 with the messages of mode.
    bool ReadFields(int mode);
    void ShowRowLabels();
    void ShowPicture();
    void PaintPreview(QWidget* box);

    QLineEdit* m_fields[4];  // start X, start Y, X row, Y row
    QLineEdit* m_path;
    QLabel* m_rowLabels[2];
    QLabel* m_info[3];
    QRadioButton* m_modes[2];
    QWidget* m_preview;
    QString m_loadedPath;
    QImage m_picture;
};
