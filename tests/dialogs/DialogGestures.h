#pragma once
// What every dialog and panel test does to a window's controls: finds a
// control by its id (a missing one fails the test), types into an edit,
// clicks a button, chooses a list item, asks which control has the focus.

#include "platform/Controls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

class DialogGestures : public ::testing::Test {
protected:
    template <class T>
    static T* Ctrl(QWidget* window, int id)
    {
        T* c = platform::control<T>(window, id);
        EXPECT_NE(c, nullptr) << "control " << id;
        return c;
    }
    static void SetText(QWidget* window, int id, const QString& text)
    {
        QLineEdit* edit = Ctrl<QLineEdit>(window, id);
        ASSERT_NE(edit, nullptr);
        edit->setText(text);
    }
    static void Click(QWidget* window, int id)
    {
        auto* button = Ctrl<QAbstractButton>(window, id);
        ASSERT_NE(button, nullptr);
        button->click();
    }
    static void Choose(QWidget* window, int id, int index)
    {
        auto* list = Ctrl<QComboBox>(window, id);
        ASSERT_NE(list, nullptr);
        list->setCurrentIndex(index);
    }
    // The id of the control that has (or last had) the window's focus; -1 for none.
    static int FocusId(QWidget* window)
    {
        QWidget* focus = window->focusWidget();
        return focus ? platform::controlId(focus) : -1;
    }
};
