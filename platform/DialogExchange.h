#pragma once
// Checked data exchange between a dialog's members and its controls. A
// dialog lists its fields once (an edit of a number or a text, a check box,
// a list, a group of radio buttons); Load shows the members, Save reads the
// controls back. Save tests every field that must not be empty first, in
// the order given, then each field's value; the first refusal shows its
// message over the dialog, puts the focus on the field and leaves every
// member as it was. A dialog whose fields are checked in groups (a part
// looked at only after the rest passed, or only while it is in use) starts
// each group with Section.

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QListWidget;
class QWidget;

namespace platform {

class DataExchange {
public:
    // A refusal's message; nullopt when the value was taken.
    using Refusal = std::optional<QString>;

    struct Field {
        QWidget* control = nullptr;
        // Shows the member in the control.
        std::function<void()> load;
        // Tests the control's value; takes it into a staging place, or
        // answers the refusal.
        std::function<Refusal()> check;
        // Stores what check took into the member (run only when every field
        // passed, so a refusal leaves every member as it was).
        std::function<void()> store;
        // When set, an empty edit is refused with this message in the first
        // pass.
        QString emptyMessage;
        // The message box's flags and whether the edit's text is selected
        // after a refusal.
        unsigned messageFlags = 0;
        bool selectOnRefusal = false;
        // The group the field belongs to (see Section).
        std::size_t section = 0;

        // Refusals are exclaimed and select the edit's text.
        Field& Exclaiming();
    };

    // What a code page 932 text longer than its limit gets: refused with
    // TextLengthMessage, or cut to the limit without a word.
    enum class Overflow { Refuse, Cut };

    // How a number is read from an edit and tested.
    struct NumberRule {
        // Reads the whole text; nullopt refuses it with badMessage. Default:
        // ParseReal.
        std::function<std::optional<double>(const QString&)> parse;
        QString emptyMessage;  // empty: an empty edit is a bad one
        QString badMessage;    // default: RealMessage()
        std::optional<std::pair<double, double>> range;  // refused outside, with RealRangeMessage
        // A further test of the number read (a zero length, say).
        std::function<Refusal(double)> test;
        // How the member is shown; default: up to six significant digits.
        std::function<QString(double)> format;
    };

    explicit DataExchange(QWidget* dialog = nullptr) : dialog_(dialog) {}
    void SetDialog(QWidget* dialog) { dialog_ = dialog; }

    Field& Add(Field field);
    Field& Number(QLineEdit* edit, double& member, NumberRule rule = {});
    Field& Real(QLineEdit* edit, float& member, std::optional<std::pair<double, double>> range = std::nullopt);
    Field& Integer(QLineEdit* edit, int& member, std::optional<std::pair<int, int>> range = std::nullopt);
    // A text; with maxBytes > 0, a text longer than that many code page 932
    // bytes is refused (Cp932Text) or the edit takes no more characters.
    Field& Text(QLineEdit* edit, QString& member);
    Field& Cp932Text(QLineEdit* edit, std::string& member, int maxBytes = 0, Overflow overflow = Overflow::Refuse);
    Field& Check(QAbstractButton* box, int& member);
    // The position of the list's choice; -1 for none. A member outside the
    // list shows the item at fallback (-1: none).
    Field& List(QComboBox* list, int& member, int fallback = -1);
    // The row chosen; a list with no row chosen keeps the member.
    Field& ListRow(QListWidget* list, int& member);
    // The position of the checked button in buttons.
    Field& Radios(std::vector<QAbstractButton*> buttons, int& member);

    // The fields added from here on form the next group: Save tests the
    // emptiness and then the values of one group before it looks at the
    // next, and skips (neither tests nor stores) a group whose inUse answers
    // false.
    void Section(std::function<bool()> inUse = {});

    void Load();
    bool Save();
    // The one field of control (the option panels write each control as it
    // changes); true when there is none.
    bool SaveField(const QWidget* control);
    bool Empty() const { return fields_.empty(); }

    // Reading numbers: the whole text, blanks around it allowed, a leading
    // plus taken; finite and (ParseReal) within what a float holds.
    static std::optional<double> ParseReal(const QString& text);
    static std::optional<int> ParseInteger(const QString& text);
    static QString FormatReal(double value);
    static QString RealMessage();
    static QString IntegerMessage();
    static QString RealRangeMessage(double lo, double hi);
    static QString IntegerRangeMessage(int lo, int hi);
    static QString TextLengthMessage(int maxBytes);

private:
    void Refuse(const Field& field, const QString& message);
    bool InUse(const Field& field) const;

    QWidget* dialog_;
    std::vector<Field> fields_;
    // Per group, whether it is in use now; empty: always.
    std::vector<std::function<bool()>> sections_{1};
};

} // namespace platform
