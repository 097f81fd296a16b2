#pragma once
// The main of a benchmark that needs widgets: an offscreen application and
// a private data folder for the settings file the drawings read and write.

#include "app/Components.h"
#include "model/Settings.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

inline int RunGuiBenchmarks(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InstallTools();
    InstallNumericInputDialogs();
    QTemporaryDir data;
    DataFolder = QDir(data.path()).filePath(QStringLiteral("data")).toStdString();
    QDir().mkpath(QString::fromStdString(DataFolder));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // Scenes cached in function statics hold views, which must not be torn
    // down after the application: leave without running static destructors.
    std::fflush(nullptr);
    std::_Exit(0);
}
