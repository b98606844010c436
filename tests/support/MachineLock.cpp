#include "MachineLock.h"

#include <QDir>

MachineLock::MachineLock(const QString &name)
    : m_name(name),
      m_file(QDir::temp().filePath(QStringLiteral("tallymere-test-%1.lock").arg(name)))
{
    // Held for a whole test program: never stale while its holder lives.
    m_file.setStaleLockTime(0);
}

QString MachineLock::take(int timeoutMs)
{
    if (m_file.tryLock(timeoutMs))
        return {};
    qint64 pid = 0;
    QString host;
    QString application;
    m_file.getLockInfo(&pid, &host, &application);
    return QStringLiteral("%1 is held by process %2 (%3) after %4 s of waiting")
        .arg(m_name)
        .arg(pid)
        .arg(application)
        .arg(timeoutMs / 1000);
}
