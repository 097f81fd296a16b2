#pragma once
// What the ten pages of the settings dialog share. A page is a caption-less
// child of the settings dialog that shows a few fields of the settings
// record. It keeps its values in a record of its own, of which only the
// fields it carries count: the settings dialog hands them in (Take) before
// the page's window is made and takes them back (Give) when the page goes or
// OK is pressed.
//
// The page's controls are listed once with the fields they show; reading
// them back goes field by field in the order listed and stops at the first
// value refused (its message shown): that field and the ones after it keep
// what the page held.

#include "model/ParameterBlock.h"
#include "platform/DialogExchange.h"

#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

class QAbstractButton;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class CInitPage : public QWidget {
    Q_OBJECT
public:
    CInitPage(unsigned resourceId, QWidget* parent);
    unsigned ResourceId() const { return m_nIDD; }

    // The page's values; only the fields the page carries mean anything.
    CParameterBlock values;
    // Copies the carried fields from a record into values.
    void Take(const CParameterBlock& from);
    // Copies the carried fields of values into a record (a field may refuse
    // a value it cannot hold: the record then keeps its own).
    void Give(CParameterBlock& to) const;

    // Makes the page's window: shows the values, then the page's own
    // opening steps, and shows it.
    void Create();
    // save false: shows the values. save true: reads the controls back as
    // described above; false when a value was refused.
    bool UpdateData(bool save = true);
    // Shows the values again after the settings dialog changed them.
    virtual void Refresh();

    // The unit of sizes: "㎜" while CommandArgument is 0, else "pt.".
    static QString UnitLabel();
    // A float as a page shows it: the shortest text that reads back as the
    // very same float.
    static QString FormatFloat(float value);
    // Writes text (cut to maxBytes on a character boundary) and its
    // terminator into a record's text field; the bytes after the terminator
    // keep what they held.
    template <std::size_t N> static void StoreText(std::array<char, N>& field, std::string_view text, std::size_t maxBytes)
    {
        StoreText(field.data(), N, text, maxBytes);
    }
    static void StoreText(char* field, std::size_t size, std::string_view text, std::size_t maxBytes);

protected:
    virtual void OnInitDialog() {}

    // Declares that the page carries field and returns the page's copy of
    // it. accept, when given, decides whether Give may store a value.
    template <class T> T& Carry(T CParameterBlock::*field, bool (*accept)(const T&) = nullptr)
    {
        m_take.push_back([field](const CParameterBlock& from, CParameterBlock& to) { to.*field = from.*field; });
        m_give.push_back([field, accept](const CParameterBlock& from, CParameterBlock& to) {
            if (!accept || accept(from.*field))
                to.*field = from.*field;
        });
        return values.*field;
    }

    // Controls with their ids, made children of the page.
    QLineEdit* AddEdit(int id);
    QLabel* AddLabel(const QString& text, int id = -1);
    QPushButton* AddButton(const QString& text, int id);

    // Fields of the data exchange, in the order they are read back.
    // A number; refused outside range, or when positive and not above 0.
    void Real(QLineEdit* edit, float& member, std::optional<std::pair<double, double>> range = std::nullopt,
              bool positive = false);
    void Integer(QLineEdit* edit, int32_t& member, std::optional<std::pair<int, int>> range = std::nullopt);
    void Integer(QLineEdit* edit, int16_t& member, std::pair<int, int> range);
    // A code page 932 text of at most maxBytes bytes (typing stops there; a
    // longer text is cut on a character boundary). The bytes of the field
    // after its terminator keep what they held.
    template <std::size_t N> void Text(QLineEdit* edit, std::array<char, N>& field, std::size_t maxBytes)
    {
        TextField(edit, field.data(), N, maxBytes);
    }
    // A row of a list; a list with no row chosen keeps the member.
    void ListRow(QListWidget* list, int32_t& member);

    // Radio buttons, the k-th standing for value k; shows which one is
    // checked (clicks are the page's own business).
    static void CheckRadio(std::initializer_list<QAbstractButton*> buttons, int value);

    platform::DataExchange& Exchange() { return m_exchange; }

private:
    void TextField(QLineEdit* edit, char* field, std::size_t size, std::size_t maxBytes);
    void Listed(QWidget* control) { m_order.push_back(control); }

    unsigned m_nIDD;
    platform::DataExchange m_exchange{this};
    std::vector<QWidget*> m_order;
    std::vector<std::function<void(const CParameterBlock&, CParameterBlock&)>> m_take, m_give;
};

// A sensitivity the grid can use: 1 to 5.
bool IsGridSensitivity(const int16_t& value);
