#pragma once
// Helpers for option panel tests: factory settings before each test, a shown
// panel, and the user's gestures on its controls.

#include "DialogGestures.h"

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

class PanelTest : public DialogGestures {
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
        SetText(panel, id, text);
        if (QLineEdit* edit = platform::control<QLineEdit>(panel, id))
            Leave(edit);
    }
    static void Leave(QWidget* control)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(control, &out);
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
