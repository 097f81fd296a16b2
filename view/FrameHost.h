#pragma once
// What the view, the tools and the panels ask of the main window around
// them: the status-bar read-outs, the prompt box, the option panel, the
// palettes, the layer list and the command route. The main frame implements
// it and announces itself while it lives; a bare view (in a test, say) has
// no host and these requests go nowhere.

#include <QString>

#include <string>
#include <string_view>

// What the prompt box says (UTF-8) and whether it says it in red.
struct PromptLine {
    std::string utf8;
    bool warning = false;
};

class QWidget;

class CFrameHost {
public:
    virtual ~CFrameHost() = default;

    // --- command route -----------------------------------------------------
    // Runs command id along view -> document -> frames -> application; false
    // when nobody handles it or it is disabled.
    virtual bool SendCommand(unsigned id) = 0;
    // Refreshes enabled and checked states of every menu item and button.
    virtual void UpdateCommandUI() = 0;

    // --- status bar and prompt box -------------------------------------------
    // Pane 0 is the message pane, 1 and 2 the X and Y read-outs.
    virtual void SetPaneText(int pane, const QString& text) = 0;
    // Shows UTF-8 text in the prompt box, blue or (warning) red, at once.
    virtual void ShowPrompt(std::string_view utf8, bool warning) = 0;
    virtual PromptLine CurrentPrompt() const = 0;

    // --- option panel --------------------------------------------------------
    // Puts the panel of kind (1..25) on the option bar; the kind now shown.
    virtual int SetOperationBox(int kind) = 0;
    virtual void FocusOperationBox() = 0;

    // --- palettes, layer list, grid bar -----------------------------------------
    virtual void ShowLayerList() = 0;
    // Refills the layer list from the layer table, if the list is up.
    virtual void RefillLayerList() = 0;
    virtual void ShowDrawPalette() = 0;
    virtual void ShowPartsTree() = 0;
    // Closes and destroys the palette, if it is up.
    virtual void CloseDrawPalette() = 0;
    virtual void ClosePartsPalette() = 0;
    // The drawing palette now up, or null.
    virtual QWidget* DrawPalette() const = 0;
    // Lets go of palette if it is the drawing palette now up (the palette
    // then deletes itself); false when it was not.
    virtual bool ReleaseDrawPalette(QWidget* palette) = 0;
    // Puts pitch into the grid bar's pitch box and its list.
    virtual void ShowGridPitch(double pitch) = 0;
};

// The main window's host, or null while there is none.
CFrameHost* AfxGetFrameHost();
// Announces (or, with null, withdraws) the main window's host.
void SetFrameHost(CFrameHost* host);

// Shows text (UTF-8) in the main frame's prompt box, if there is one.
void ShowPrompt(std::string_view utf8, bool warning = false);
// What the prompt box shows now; empty without a main frame.
PromptLine CurrentPrompt();
