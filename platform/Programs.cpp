#include "platform/Programs.h"

#include <QCoreApplication>
#include <QProcess>

#include <memory>
#include <utility>

namespace platform {

namespace {

ProgramRunner& installedRunner()
{
    static ProgramRunner runner;
    return runner;
}

void startProcess(const QString& program, const QStringList& arguments, std::function<void(bool ok)> finished)
{
    auto* process = new QProcess(QCoreApplication::instance());
    // The answer is given once, whichever way the program ends.
    auto answer = std::make_shared<std::function<void(bool)>>(std::move(finished));
    auto report = [process, answer](bool ok) {
        if (*answer) {
            auto once = std::exchange(*answer, {});
            once(ok);
        }
        process->deleteLater();
    };
    QObject::connect(process, &QProcess::finished, process, [report](int code, QProcess::ExitStatus status) {
        report(status == QProcess::NormalExit && code == 0);
    });
    QObject::connect(process, &QProcess::errorOccurred, process, [report](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            report(false);
    });
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(program, arguments);
}

} // namespace

void runProgram(const QString& program, const QStringList& arguments, std::function<void(bool ok)> finished)
{
    if (const ProgramRunner& runner = installedRunner())
        runner(program, arguments, std::move(finished));
    else
        startProcess(program, arguments, std::move(finished));
}

ProgramRunner setProgramRunner(ProgramRunner runner)
{
    return std::exchange(installedRunner(), std::move(runner));
}

void mailWithAttachment(const QString& file, std::function<void(bool ok)> finished)
{
    runProgram(QStringLiteral("xdg-email"), {QStringLiteral("--attach"), file}, std::move(finished));
}

} // namespace platform
