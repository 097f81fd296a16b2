#pragma once
// Starts the application (main frame, no drawing, no splash unless asked) for
// one test and closes it afterwards.

#include "app/OrvikCadApp.h"
#include "platform/Encoding.h"
#include "platform/UiScript.h"

#include <QApplication>
#include <QStringList>

#include <gtest/gtest.h>

class AppTest : public ::testing::Test {
protected:
    void Start(const QStringList& args = {QStringLiteral("-nologo")})
    {
        ASSERT_TRUE(AfxGetApp().InitInstance(args));
        frame = AfxGetApp().m_pMainWnd;
        ASSERT_NE(frame, nullptr);
        QApplication::processEvents();
    }
    void TearDown() override
    {
        AfxGetApp().ExitInstance();
        QApplication::processEvents();
    }
    CMainFrame* frame = nullptr;
};
