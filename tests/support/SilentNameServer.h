#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A name server that takes every query and never answers, as a hung or unreachable one does, so
// that looking up a host name waits for as long as the resolver ever waits. It listens on a
// loopback address only (UDP and TCP, port 53), and only this process sees it: from start() on,
// the calling thread, and every thread and process it starts afterwards, live in a mount
// namespace of their own where /etc/resolv.conf is a file naming it. The machine's own file is
// never touched. Needs root (CAP_SYS_ADMIN). The mount is removed when this object goes.
class SilentNameServer {
public:
    SilentNameServer() = default;
    ~SilentNameServer();
    SilentNameServer(const SilentNameServer &) = delete;
    SilentNameServer &operator=(const SilentNameServer &) = delete;

    bool start(QString *error);

    // A host name that only a name server can resolve (not in /etc/hosts, not multicast).
    static QByteArray hostName() { return QByteArrayLiteral("print.tallymere.invalid"); }

private:
    QTemporaryDir m_dir;
    int m_udp = -1;
    int m_tcp = -1;
    bool m_mounted = false;
};
