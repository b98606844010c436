#pragma once

#include <QProcess>

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
