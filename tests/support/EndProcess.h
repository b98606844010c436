#pragma once

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// Ends a process a test started: asked to terminate, and killed if it has not ended within
// `graceMs`. Nothing happens to a process that is not running.
inline void endProcess(QProcess &process, int graceMs = 5000)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(graceMs))
        process.kill();
    process.waitForFinished(2000);
}

// Each step of starting a test's desktop or bus has its own bound, generous for a loaded machine.
inline constexpr int stepMs = 30000;

// " (after 3.2 s)": how long a step took, for the message of one that failed.
inline QString after(const QElapsedTimer &clock)
{
    return QStringLiteral(" (after %1 s)").arg(double(clock.elapsed()) / 1000, 0, 'f', 1);
}

// Whether `program` run in `environment` ends well within 5 s, its output holding `output`; one
// that hangs is killed and reaped.
inline bool answers(const QProcessEnvironment &environment, const QString &program,
                    const QStringList &arguments, const QByteArray &output = {})
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(1000);
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 &&
           process.readAllStandardOutput().contains(output);
}
