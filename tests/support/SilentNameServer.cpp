#include "SilentNameServer.h"

#include <QFile>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

constexpr quint16 dnsPort = 53;

// A socket bound to `address`:53, or -1.
int boundSocket(int type, in_addr_t address)
{
    const int fd = ::socket(AF_INET, type, 0);
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_port = htons(dnsPort);
    where.sin_addr.s_addr = address;
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr *>(&where), sizeof where) == 0 &&
        (type != SOCK_STREAM || ::listen(fd, 16) == 0))
        return fd;
    if (fd >= 0)
        ::close(fd);
    return -1;
}

QString lastSystemError(const char *what)
{
    return QString::fromLatin1(what) + QStringLiteral(": ") +
           QString::fromLocal8Bit(strerror(errno));
}

} // namespace

SilentNameServer::~SilentNameServer()
{
    if (m_mounted)
        ::umount2("/etc/resolv.conf", MNT_DETACH);
    for (const int fd : {m_udp, m_tcp})
        if (fd >= 0)
            ::close(fd);
}

bool SilentNameServer::start(QString *error)
{
    // A loopback address of our own, so that tests running side by side do not meet: 127.53.x.y.
    in_addr_t address = 0;
    for (int attempt = 0; attempt < 64 && m_tcp < 0; ++attempt) {
        const quint32 host = (127u << 24) | (53u << 16) |
                             ((static_cast<quint32>(::getpid()) + attempt * 7919u) & 0xfffeu) | 1u;
        address = htonl(host);
        m_udp = boundSocket(SOCK_DGRAM, address);
        m_tcp = m_udp < 0 ? -1 : boundSocket(SOCK_STREAM, address);
        if (m_tcp < 0 && m_udp >= 0) {
            ::close(m_udp);
            m_udp = -1;
        }
    }
    if (m_tcp < 0) {
        *error = lastSystemError("no loopback address for a name server");
        return false;
    }
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &address, text, sizeof text);
    // The longest wait the resolver allows: 30 s a try, five tries.
    QFile conf(m_dir.filePath(QStringLiteral("resolv.conf")));
    if (!m_dir.isValid() || !conf.open(QIODevice::WriteOnly) ||
        conf.write(QByteArray("nameserver ") + text + "\noptions timeout:30 attempts:5\n") < 0) {
        *error = QStringLiteral("cannot write ") + conf.fileName();
        return false;
    }
    conf.close();
    // Private mounts first, so that nothing done here reaches the machine's namespace.
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        *error = lastSystemError("no private mount namespace");
        return false;
    }
    if (::mount(conf.fileName().toLocal8Bit().constData(), "/etc/resolv.conf", nullptr, MS_BIND,
                nullptr) != 0) {
        *error = lastSystemError("cannot bind-mount resolv.conf");
        return false;
    }
    m_mounted = true;
    return true;
}
