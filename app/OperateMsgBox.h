#pragma once
// The prompt box: the one-line area of the message bar in which the tools say
// what to do next (blue) or warn (red). Writers set m_bWarning, copy the text
// into m_szPrompt and call OnPaint, which paints at once, before the handler
// that changed the text returns.

#include "app/HostToolBar.h"
#include <QWidget>

#include <string_view>

class COperateMsgBox : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPromptControlId = 1320;
    static constexpr int kPromptSize = 128;

    explicit COperateMsgBox(QWidget* parent = nullptr);

    int m_bWarning = 0;
    char m_szPrompt[kPromptSize] = {};

    // Paints the prompt at once (the control is repainted synchronously).
    void OnPaint();

    // Stores at most 127 bytes of cp932 text, never cutting a double-byte
    // character, then paints.
    void SetPrompt(std::string_view cp932, bool warning);
    // The same for UTF-8 text.
    void SetPromptUtf8(std::string_view utf8, bool warning);
    // The prompt as Unicode.
    QString PromptText() const;

    QWidget* PromptControl() const { return m_pStatic; }

private:
    friend class CPromptStatic;
    void PaintPrompt(QWidget* control);
    QWidget* m_pStatic;
};

// Copies src into a buffer of size bytes: at most size - 1 bytes, cut on a
// cp932 character boundary, always terminated.
void CopyPromptText(char* dst, std::size_t size, std::string_view src);

class COperateMsgBar : public CHostToolBar {
    Q_OBJECT
public:
    explicit COperateMsgBar(const QString& title, QWidget* parent = nullptr) : CHostToolBar(title, parent) {}
    COperateMsgBox* m_pMsgBox = nullptr;
};

