#pragma once
// The main of a benchmark that needs widgets: an offscreen application and
// a private data folder for the settings file the drawings read and write.

#include "app/Components.h"
#include "app/OrvikCadApp.h"
#include "model/Settings.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

// withApplication: the application starts as the program does (main frame,
// its settings in a private home) before the benchmarks run, and ends after.
inline int RunGuiBenchmarks(int argc, char** argv, bool withApplication = false)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    if (withApplication) {
        const std::string h = home.path().toStdString();
        setenv("HOME", h.c_str(), 1);
        setenv("XDG_DATA_HOME", (h + "/.local/share").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (h + "/.config").c_str(), 1);
    }
    QApplication app(argc, argv);
    InstallTools();
    InstallNumericInputDialogs();
    QTemporaryDir data;
    if (withApplication) {
        std::setlocale(LC_NUMERIC, "C");
        if (!AfxGetApp().InitInstance({QStringLiteral("-nologo")}))
            return 1;
        QApplication::processEvents();
    } else {
        DataFolder = QDir(data.path()).filePath(QStringLiteral("data")).toStdString();
        QDir().mkpath(QString::fromStdString(DataFolder));
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (withApplication)
        AfxGetApp().ExitInstance();
    // Scenes cached in function statics hold views, which must not be torn
    // down after the application: leave without running static destructors.
    std::fflush(nullptr);
    std::_Exit(0);
}
