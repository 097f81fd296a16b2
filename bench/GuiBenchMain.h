#pragma once
// The main of a benchmark that needs widgets: an offscreen application and
// a private data folder for the settings file the drawings read and write.

#include "app/Components.h"
#include "model/Settings.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

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
    return 0;
}
