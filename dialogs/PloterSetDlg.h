#pragma once
// The plotter settings: command set, port, baud rate, data bits, parity,
// stop bits and flow control, each the position in its list.

#include "platform/Dialog.h"

inline constexpr unsigned IDD_PLOTERSET = 285;
inline constexpr int IDC_PLOTTER_COMMAND = 1280;
inline constexpr int IDC_PLOTTER_PORT = 1285;
inline constexpr int IDC_PLOTTER_BAUD = 1286;
inline constexpr int IDC_PLOTTER_DATA_BITS = 1287;
inline constexpr int IDC_PLOTTER_PARITY = 1288;
inline constexpr int IDC_PLOTTER_STOP_BITS = 1289;
inline constexpr int IDC_PLOTTER_FLOW = 1290;

class CPloterSetDlg : public CDialog {
    Q_OBJECT
public:
    explicit CPloterSetDlg(QWidget* parent = nullptr);

    int BaudIndex = 2;
    int DataBitsIndex = 4;
    int FlowControl = 0;
    int CommandSet = 0;
    int Parity = 0;
    int Port = 0;
    int StopBitsIndex = 0;
};
