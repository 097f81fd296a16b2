#pragma once
// Helpers for option panel tests: factory settings before each test, a shown
// panel, and the user's gestures on its controls.

#include "model/ParameterBlock.h"
#include "model/Settings.h"
#include "platform/Controls.h"
#include "platform/UiScript.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <memory>

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CParameterBlock factory;
        factory.SetFactoryDefaults();
        ApplyParametersToSettings(factory);
    }

    // Makes the panel and shows it, as the main frame does.
    template <class Panel>
    std::unique_ptr<Panel> Open()
    {
        auto panel = std::make_unique<Panel>();
        panel->show();
        QApplication::processEvents();
        return panel;
    }

    template <class T>
    static T* Ctrl(QWidget* panel, int id)
    {
        T* c = platform::control<T>(panel, id);
        EXPECT_NE(c, nullptr) << "control " << id;
        return c;
    }
    static QLineEdit* Edit(QWidget* panel, int id) { return Ctrl<QLineEdit>(panel, id); }
    static bool Enabled(QWidget* panel, int id)
    {
        QWidget* c = Ctrl<QWidget>(panel, id);
        return c && c->isEnabled();
    }
    static bool Checked(QWidget* panel, int id)
    {
        auto* c = Ctrl<QAbstractButton>(panel, id);
        return c && c->isChecked();
    }

    // Types text into an edit and moves the focus away.
    static void Type(QWidget* panel, int id, const QString& text)
    {
        QLineEdit* edit = Edit(panel, id);
        ASSERT_NE(edit, nullptr);
        edit->setText(text);
        Leave(edit);
    }
    static void Leave(QWidget* control)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(control, &out);
    }
    static void Click(QWidget* panel, int id)
    {
        auto* b = Ctrl<QAbstractButton>(panel, id);
        ASSERT_NE(b, nullptr);
        b->click();
    }
    static void Choose(QWidget* panel, int id, int index)
    {
        auto* list = Ctrl<QComboBox>(panel, id);
        ASSERT_NE(list, nullptr);
        list->setCurrentIndex(index);
    }
    static void Press(QWidget* target, int key)
    {
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(target, &down);
        QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(target, &up);
    }

    platform::UiScript ui;
};
