#pragma once

#include <QDeadlineTimer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A private CUPS print service for tests: its own scheduler (cupsd -f) with its own
// configuration, state, spool, cache and logs in a temporary folder, listening only on a local
// socket there. The test process and every command it runs are pointed at that socket, so the
// machine's own print setup is neither needed nor touched. Queues print through a "capture"
// backend that stores each job's document as jobs/job-<id>.pdf; a queue on the "reasons" backend
// stands in for a printer that takes jobs but cannot print them (out of paper, ...). Runs as root
// (the backends must run as root to write where the test can read).
class CupsSandbox {
public:
    CupsSandbox();
    ~CupsSandbox(); // stops the scheduler whatever happened
    CupsSandbox(const CupsSandbox &) = delete;
    CupsSandbox &operator=(const CupsSandbox &) = delete;

    // The programs the sandbox and its tests need that are not installed.
    static QStringList missingTools();

    // Writes the configuration (first time), starts the scheduler and waits until it answers.
    bool start(QString *error);
    // Stops the scheduler: SIGTERM, then SIGKILL if it does not end in time.
    void stop();
    bool isRunning() const;

    // A raw queue printing through the capture backend, enabled and accepting; addDefaultQueue
    // also makes it the default.
    bool addQueue(const QString &name, QString *error);
    bool addDefaultQueue(const QString &name, QString *error);
    // The default queue of a printer that cannot print now: its backend reports `reasons` (IPP
    // printer-state-reasons keywords, comma-separated) and holds the job it got, or, if
    // `prints`, prints it a second later. One job is sent to it first, and this returns once the
    // scheduler reports the reasons for the queue (and, if `prints`, that job has printed).
    bool addDefaultQueueReporting(const QString &name, const QString &reasons, QString *error,
                                  bool prints = false);
    // The default queue of a printer that takes jobs only from a signed-in user (Basic
    // authentication), asked over TCP at 127.0.0.1:tcpPort().
    bool addDefaultQueueAskingSignIn(const QString &name, QString *error);
    quint16 tcpPort() const { return m_tcpPort; }
    // The ids of the jobs waiting or printing on `queue` (lpstat -o), oldest first.
    QList<int> queuedJobs(const QString &queue);
    bool removeQueue(const QString &name, QString *error);

    // What a printing test needs before its first case: every tool installed, the scheduler
    // running and `name` the default queue. A missing tool is an error, never a reason to skip.
    bool startWithDefaultQueue(const QString &name, QString *error);
    // After a case that stopped the scheduler, removed, disabled or rejected the queue or made
    // another the default: the next case finds the scheduler running and `name` the default,
    // enabled and accepting jobs.
    bool restoreDefaultQueue(const QString &name, QString *error);

    // Runs a CUPS command line tool against this scheduler; true when it exits with 0.
    bool run(const QString &program, const QStringList &arguments, QString *output = nullptr);

    QString socketPath() const;
    QString jobsPath() const;
    QStringList jobFiles() const; // oldest first
    // Waits until there are `count` job files; returns the newest, or empty on timeout.
    QString waitForJobFiles(int count, int timeoutMs);
    // Jobs the scheduler knows of, finished or not (lpstat -W all -o).
    int jobCount();
    // The scheduler's error log, for failure messages.
    QString log() const;

    // The document text as `pdftotext -layout` lays it out, or empty on failure. Reports print
    // in a 12-point fixed-pitch face, 7.2 points a character; telling pdftotext so keeps every
    // blank between items (it otherwise guesses word gaps and shrinks them).
    static QString pdfText(const QString &pdfPath,
                           const QStringList &options = {"-layout", "-fixed", "7.2"});

private:
    bool writeConfiguration(QString *error);
    bool waitUntilAnswering(int timeoutMs);
    bool waitUntilIdle(const QString &queue, const QDeadlineTimer &deadline);
    QProcessEnvironment environment() const;
    void pointProcessHere() const;
    QString path(const QString &relative) const;

    QTemporaryDir m_dir;
    QProcess m_cupsd;
    bool m_configured = false;
    quint16 m_tcpPort = 0;
};
