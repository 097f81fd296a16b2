#pragma once
// Common behaviour of the tool option panels that sit in the main frame's
// option bar: a caption-less dialog holding one row of controls. Each panel
// keeps a member per value control, seeded from the process-wide option
// values when it is made; every control writes its value back the moment it
// changes (an edit when it loses the focus, a check box or radio button when
// clicked, a list on a change of selection), so there is nothing to confirm.
//
// Edits and lists go through the panel's data exchange: a text that is no
// number, or a number outside the edit's range, is refused with a message,
// the focus goes back to that edit and nothing is written. Enter and Escape
// are swallowed, so neither closes the panel nor presses anything.

#include "platform/Dialog.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

class QBoxLayout;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

class COperationBox : public CDialog {
    Q_OBJECT
public:
    // Bounds of an edit's accepted values.
    struct Range {
        double lo, hi;
    };

    COperationBox(unsigned resourceId, const QString& title, QWidget* parent = nullptr);
    ~COperationBox() override;

    // Members -> controls (save false) or controls -> members (save true);
    // false when an edit's text was refused (the message has been shown).
    bool UpdateData(bool save = true) override;

    // Real values are shown with up to six significant digits ("20", "0.5").
    static QString FormatReal(float value) { return platform::DataExchange::FormatReal(double(value)); }
    // A whole text that is a finite number a float can hold; blanks around it
    // are allowed.
    static std::optional<float> ParseReal(const QString& text)
    {
        const std::optional<double> v = platform::DataExchange::ParseReal(text);
        return v ? std::optional<float>(float(*v)) : std::nullopt;
    }
    static std::optional<int> ParseInteger(const QString& text) { return platform::DataExchange::ParseInteger(text); }

protected:

    // Shows the members, checks the radio button of each group's value and
    // applies the enabling rules.
    bool OnInitDialog() override;
    // A panel has nothing to confirm or cancel.
    void OnOK() override {}
    void OnCancel() override {}
    // Enables the controls that depend on a check box or a mode.
    virtual void ApplyRules() {}

    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    // --- building the row, left to right ------------------------------------
    QLabel* AddLabel(const QString& text, int id = -1);
    // An edit of a real member; write copies the member into its value(s).
    QLineEdit* AddRealEdit(int id, float& member, std::function<void()> write,
                           std::optional<Range> range = std::nullopt);
    QLineEdit* AddIntegerEdit(int id, int& member, std::function<void()> write,
                              std::optional<Range> range = std::nullopt);
    // A check box of a BOOL member; the value gets 1 or 0.
    QCheckBox* AddCheck(int id, const QString& text, int& member, int16_t& value);
    // Radio buttons writing their position in the group straight into value.
    QButtonGroup* AddRadios(std::initializer_list<std::pair<int, QString>> buttons, int16_t& value);
    // A drop-down list of a position member; write stores the member.
    QComboBox* AddList(int id, const QStringList& items, int& member, std::function<void()> write);
    void AddStretch();
    // Any other control: placed in the row, Enter and Escape swallowed.
    void AddControl(QWidget* control);

    // Enables or disables the controls with these ids.
    void EnableControls(std::initializer_list<int> ids, bool enable);
    bool IsChecked(int id) const;
    QBoxLayout* Row() const { return m_row; }

private:
    // What a control writes once its value was taken; edits write when they
    // lose the focus.
    struct Writer {
        QWidget* control;
        bool edit;
        std::function<void()> write;
    };
    struct RadioGroup {
        QButtonGroup* group;
        int16_t* value;
    };

    void Watch(QWidget* control);
    std::size_t AddWriter(QWidget* control, bool edit, std::function<void()> write);
    // Runs the exchange and, when it succeeds, the change.
    void Changed(std::size_t index, bool rules);
    int IndexOf(const QObject* control) const;

    QBoxLayout* m_row;
    std::vector<Writer> m_writers;
    std::vector<RadioGroup> m_radios;
    bool m_bExchanging = false;
};
