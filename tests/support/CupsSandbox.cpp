#include "CupsSandbox.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <arpa/inet.h>
#include <cups/cups.h>
#include <netinet/in.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>

#include <algorithm>

namespace {

const QStringList cupsTools = {"cupsd",      "lpadmin",    "lpstat", "cupsenable", "cupsdisable",
                               "cupsaccept", "cupsreject", "lp",     "pdftotext",  "pdftoppm"};
const QStringList systemBinFolders = {"/usr/sbin", "/usr/bin", "/sbin", "/bin"};
const QStringList serverBinParts = {"cgi-bin", "daemon", "driver", "filter", "monitor", "notifier"};

QString tool(const QString &name)
{
    const QString found = QStandardPaths::findExecutable(name);
    return found.isEmpty() ? QStandardPaths::findExecutable(name, systemBinFolders) : found;
}

bool writeFile(const QString &path, const QByteArray &contents, QFile::Permissions permissions)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(contents) == contents.size() && file.setPermissions(permissions);
}

// The capture backend: lists itself when run without arguments; otherwise stores the job's
// document (from its file argument or standard input) under the folder of its device URI,
// renaming it into place only when complete.
const char captureBackend[] = R"(#!/bin/sh
if [ $# -eq 0 ]; then echo 'direct capture "Unknown" "Test capture"'; exit 0; fi
dir="${DEVICE_URI#capture:}"
part="$dir/.job-$1.part"
if [ -n "$6" ]; then cat "$6" > "$part" || exit 1; else cat > "$part" || exit 1; fi
chmod 644 "$part"
mv "$part" "$dir/job-$1.pdf"
exit 0
)";

// The reasons backend: a printer that takes the job, reports the printer-state-reasons of its
// device URI ("reasons:media-empty-error") as a real backend does on standard error, and holds
// the job as a printer out of paper would, until the scheduler stops it. With "?print=FOLDER"
// after the reasons it prints anyway, a second later, as the capture backend does.
const char reasonsBackend[] = R"(#!/bin/sh
if [ $# -eq 0 ]; then echo 'direct reasons "Unknown" "Test printer state reasons"'; exit 0; fi
uri="${DEVICE_URI#reasons:}"
echo "STATE: +${uri%%\?*}" >&2
case "$uri" in *\?print=*)
    sleep 1
    DEVICE_URI="capture:${uri#*\?print=}" exec "$CUPS_SERVERBIN/backend/capture" "$@";;
esac
exec sleep 300
)";

// A TCP port on 127.0.0.1 that nothing listens on now.
quint16 freeLoopbackPort()
{
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    quint16 port = 0;
    if (::bind(probe, reinterpret_cast<sockaddr *>(&address), length) == 0 &&
        ::getsockname(probe, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(probe);
    return port;
}

} // namespace

CupsSandbox::CupsSandbox()
{
    m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
    // Should the test process die before it can stop the scheduler, the kernel stops it.
    m_cupsd.setChildProcessModifier([]() { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

CupsSandbox::~CupsSandbox() { stop(); }

QStringList CupsSandbox::missingTools()
{
    QStringList missing;
    for (const QString &name : cupsTools)
        if (tool(name).isEmpty())
            missing.append(name);
    return missing;
}

QString CupsSandbox::path(const QString &relative) const { return m_dir.filePath(relative); }
QString CupsSandbox::socketPath() const { return path(QStringLiteral("cups.sock")); }
QString CupsSandbox::jobsPath() const { return path(QStringLiteral("jobs")); }

bool CupsSandbox::writeConfiguration(QString *error)
{
    const QDir root(m_dir.path());
    for (const char *folder :
         {"root", "bin/backend", "cache", "state", "spool", "log", "tmp", "jobs", "home"})
        root.mkpath(QString::fromLatin1(folder));
    for (const QString &part : serverBinParts)
        QFile::link(QStringLiteral("/usr/lib/cups/") + part, path(QStringLiteral("bin/") + part));
    const QByteArray files =
        QStringLiteral(
            "ServerRoot %1/root\nServerBin %1/bin\nDataDir /usr/share/cups\nCacheDir %1/cache\n"
            "StateDir %1/state\nRequestRoot %1/spool\nTempDir %1/tmp\nErrorLog %1/log/error_log\n"
            "AccessLog %1/log/access_log\nPageLog %1/log/page_log\nPrintcap %1/printcap\n"
            "SystemGroup root\n")
            .arg(m_dir.path())
            .toUtf8();
    // The socket, and 127.0.0.1 and [::1] for a client that comes over TCP; a queue with the
    // "signin" policy asks for a user name and password (Basic) before it takes a job.
    m_tcpPort = freeLoopbackPort();
    const QByteArray daemon =
        QStringLiteral(
            "LogLevel info\nListen %1\nListen 127.0.0.1:%2\nListen [::1]:%2\nBrowsing "
            "No\nWebInterface No\n"
            "DefaultAuthType None\nDefaultEncryption Never\n"
            "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
            "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n"
            "<Policy signin>\n  <Limit Create-Job Print-Job Print-URI Validate-Job>\n"
            "    AuthType Basic\n    Require valid-user\n    Order deny,allow\n  </Limit>\n"
            "  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
            .arg(socketPath())
            .arg(m_tcpPort)
            .toUtf8();
    const auto readWrite =
        QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    // Mode 0700: a backend not readable by others runs as root.
    const auto ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    if (!writeFile(path("root/cups-files.conf"), files, readWrite) ||
        !writeFile(path("root/cupsd.conf"), daemon, readWrite) ||
        !writeFile(path("bin/backend/capture"), captureBackend, ownerOnly) ||
        !writeFile(path("bin/backend/reasons"), reasonsBackend, ownerOnly)) {
        *error = QStringLiteral("cannot write the sandbox configuration in ") + m_dir.path();
        return false;
    }
    return true;
}

QProcessEnvironment CupsSandbox::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CUPS_SERVER"), socketPath());
    env.insert(QStringLiteral("CUPS_SERVERROOT"), path(QStringLiteral("root")));
    env.insert(QStringLiteral("HOME"), path(QStringLiteral("home")));
    env.remove(QStringLiteral("LPDEST"));
    env.remove(QStringLiteral("PRINTER"));
    return env;
}

// The test process itself asks this scheduler and no other: no client.conf, lpoptions or
// printer variables of the machine or of the user are read.
void CupsSandbox::pointProcessHere() const
{
    qputenv("CUPS_SERVER", socketPath().toUtf8());
    qputenv("CUPS_SERVERROOT", path(QStringLiteral("root")).toUtf8());
    qputenv("HOME", path(QStringLiteral("home")).toUtf8());
    qunsetenv("LPDEST");
    qunsetenv("PRINTER");
    cupsSetServer(socketPath().toUtf8().constData());
}

bool CupsSandbox::start(QString *error)
{
    if (!m_dir.isValid()) {
        *error = QStringLiteral("no temporary folder: ") + m_dir.errorString();
        return false;
    }
    if (!m_configured && !(m_configured = writeConfiguration(error)))
        return false;
    pointProcessHere();
    QFile::remove(socketPath());
    m_cupsd.setProcessEnvironment(environment());
    m_cupsd.start(tool(QStringLiteral("cupsd")),
                  {"-f", "-c", path("root/cupsd.conf"), "-s", path("root/cups-files.conf")});
    if (!m_cupsd.waitForStarted(30000)) {
        *error = QStringLiteral("cupsd did not start: ") + m_cupsd.errorString();
        return false;
    }
    if (!waitUntilAnswering(30000)) {
        *error = QStringLiteral("cupsd did not answer on ") + socketPath() +
                 QStringLiteral(" within 30 s, or ended\n") +
                 QString::fromLocal8Bit(m_cupsd.readAll()) + log();
        stop();
        return false;
    }
    return true;
}

bool CupsSandbox::waitUntilAnswering(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (m_cupsd.state() == QProcess::NotRunning)
            return false;
        QString output;
        if (QFileInfo::exists(socketPath()) && run(QStringLiteral("lpstat"), {"-r"}, &output) &&
            output.contains(QLatin1String("is running")))
            return true;
        QThread::msleep(50);
    }
    return false;
}

void CupsSandbox::stop()
{
    if (m_cupsd.state() == QProcess::NotRunning)
        return;
    m_cupsd.terminate();
    if (!m_cupsd.waitForFinished(5000)) {
        m_cupsd.kill();
        m_cupsd.waitForFinished(5000);
    }
}

bool CupsSandbox::isRunning() const { return m_cupsd.state() == QProcess::Running; }

bool CupsSandbox::run(const QString &program, const QStringList &arguments, QString *output)
{
    QProcess process;
    process.setProcessEnvironment(environment());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(tool(program), arguments);
    const bool finished = process.waitForFinished(30000);
    if (output)
        *output = QString::fromLocal8Bit(process.readAll());
    if (!finished) {
        process.kill();
        process.waitForFinished(1000);
    }
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool CupsSandbox::startWithDefaultQueue(const QString &name, QString *error)
{
    const QStringList missing = missingTools();
    if (!missing.isEmpty()) {
        *error = QStringLiteral("needed for printing tests but not installed: ") +
                 missing.join(QStringLiteral(", "));
        return false;
    }
    return start(error) && addDefaultQueue(name, error);
}

bool CupsSandbox::restoreDefaultQueue(const QString &name, QString *error)
{
    if (!isRunning() && !start(error))
        return false;
    QString printers;
    run(QStringLiteral("lpstat"), {QStringLiteral("-p")}, &printers);
    if (!printers.contains(name) && !addQueue(name, error))
        return false;
    run(QStringLiteral("cupsenable"), {name});
    run(QStringLiteral("cupsaccept"), {name});
    QString output;
    if (!run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), name}, &output)) {
        *error = QStringLiteral("lpadmin -d failed: ") + output;
        return false;
    }
    return true;
}

bool CupsSandbox::addQueue(const QString &name, QString *error)
{
    QString output;
    if (!run("lpadmin", {"-p", name, "-v", "capture:" + jobsPath(), "-E"}, &output)) {
        *error = QStringLiteral("lpadmin failed: ") + output + log();
        return false;
    }
    return true;
}

bool CupsSandbox::addDefaultQueueAskingSignIn(const QString &name, QString *error)
{
    QString output;
    if (!addDefaultQueue(name, error) ||
        !run("lpadmin", {"-p", name, "-o", "printer-op-policy=signin"}, &output)) {
        *error += QStringLiteral("lpadmin -o printer-op-policy failed: ") + output;
        return false;
    }
    return true;
}

bool CupsSandbox::addDefaultQueue(const QString &name, QString *error)
{
    QString output;
    if (!addQueue(name, error) || !run("lpadmin", {"-d", name}, &output)) {
        *error += QStringLiteral("lpadmin -d failed: ") + output;
        return false;
    }
    return true;
}

bool CupsSandbox::addDefaultQueueReporting(const QString &name, const QString &reasons,
                                           QString *error, bool prints)
{
    QString output;
    const QString uri = "reasons:" + reasons + (prints ? "?print=" + jobsPath() : QString());
    if (!run("lpadmin", {"-p", name, "-v", uri, "-E"}, &output) ||
        !run("lpadmin", {"-d", name}, &output) ||
        !run("lp", {"-d", name, "-o", "raw", path("root/cupsd.conf")}, &output)) {
        *error = QStringLiteral("cannot set up the queue ") + name + ": " + output + log();
        return false;
    }
    const QDeadlineTimer deadline(15000);
    const QStringList wanted = reasons.split(QLatin1Char(','));
    while (!deadline.hasExpired()) {
        run(QStringLiteral("lpstat"), {"-l", "-p", name}, &output);
        if (std::all_of(wanted.begin(), wanted.end(),
                        [&output](const QString &reason) { return output.contains(reason); }))
            return !prints || waitUntilIdle(name, deadline);
        QThread::msleep(50);
    }
    *error =
        QStringLiteral("the queue ") + name + " never reported " + reasons + ":\n" + output + log();
    return false;
}

bool CupsSandbox::waitUntilIdle(const QString &queue, const QDeadlineTimer &deadline)
{
    while (!queuedJobs(queue).isEmpty() && !deadline.hasExpired())
        QThread::msleep(50);
    return queuedJobs(queue).isEmpty();
}

QList<int> CupsSandbox::queuedJobs(const QString &queue)
{
    QString output;
    run(QStringLiteral("lpstat"), {"-o", queue}, &output);
    QList<int> ids;
    const QString prefix = queue + QLatin1Char('-');
    for (const QString &line : output.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        if (line.startsWith(prefix))
            ids.append(line.mid(prefix.size()).section(QLatin1Char(' '), 0, 0).toInt());
    std::sort(ids.begin(), ids.end());
    return ids;
}

bool CupsSandbox::removeQueue(const QString &name, QString *error)
{
    QString output;
    if (!run("lpadmin", {"-x", name}, &output)) {
        *error = QStringLiteral("lpadmin -x failed: ") + output;
        return false;
    }
    return true;
}

QStringList CupsSandbox::jobFiles() const
{
    QStringList files = QDir(jobsPath()).entryList({"job-*.pdf"}, QDir::Files);
    const auto id = [](const QString &file) { return file.mid(4).chopped(4).toInt(); };
    std::sort(files.begin(), files.end(),
              [&id](const QString &a, const QString &b) { return id(a) < id(b); });
    for (QString &file : files)
        file = QDir(jobsPath()).filePath(file);
    return files;
}

QString CupsSandbox::waitForJobFiles(int count, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (jobFiles().size() < count && !deadline.hasExpired())
        QThread::msleep(50);
    const QStringList files = jobFiles();
    return files.size() >= count ? files.last() : QString();
}

int CupsSandbox::jobCount()
{
    QString output;
    run(QStringLiteral("lpstat"), {"-W", "all", "-o"}, &output);
    return static_cast<int>(output.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size());
}

QString CupsSandbox::log() const
{
    QFile file(path(QStringLiteral("log/error_log")));
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
}

QString CupsSandbox::pdfText(const QString &pdfPath, const QStringList &options)
{
    QProcess process;
    process.start(tool(QStringLiteral("pdftotext")), options + QStringList{pdfPath, "-"});
    if (!process.waitForFinished(15000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}
