#pragma once

#include <QLockFile>
#include <QString>

// What there is one of per machine or per user, such as a screen reader, taken for as long as
// this object lives: a lock file in the system's temporary folder, which a second suite waits on.
// A lock left by a process that has ended is taken over.
class MachineLock {
public:
    explicit MachineLock(const QString &name);
    MachineLock(const MachineLock &) = delete;
    MachineLock &operator=(const MachineLock &) = delete;

    // Waits up to `timeoutMs` for the lock. Returns what went wrong, or nothing.
    QString take(int timeoutMs);

private:
    QString m_name;
    QLockFile m_file;
};
