// The program as Orca, the screen reader of Debian's desktops, speaks it to a blind clinician:
// Orca itself on a private D-Bus session with at-spi2-core's bus, Xvfb with openbox, and
// speech-dispatcher speaking to a null sound device, all under a private HOME. The clinician's
// keys go in with xdotool; what Orca says is followed in its debug log, whose
// "SPEECH OUTPUT: '...'" lines are the utterances in order. Orca writes a log file in blocks, so
// its log goes to a pseudo-terminal, which it writes line by line, and each step waits until
// Orca has said what it should. Orca must never be sent anything it cannot speak. With
// TALLYMERE_E2E_SHOTS naming a folder, everything Orca said is saved there as orca-said.txt.
#include "AccessibilityBus.h"
#include "EndProcess.h"
#include "MachineLock.h"
#include "XDesktop.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

const QString python = QStringLiteral("/usr/bin/python3"); // Debian's, which has pyatspi
const QString startButton =
    QStringLiteral(R"(SPACE BAR \(or MOUSE WHEEL\) to START push button\.)");
const QString stopButton =
    QStringLiteral(R"(SPACE BAR \(or MOUSE WHEEL\) to STOP/PAUSE push button\.)");
const char *const results[] = {"Percentage of sample duration spoken",
                               "Percentage of sample duration cluttered",
                               "Percentage of talking time cluttered",
                               "Mean speaking interval in seconds",
                               "Mean cluttering interval in seconds",
                               "Cluttering intervals per minute of sample duration",
                               "Cluttering intervals per minute of talking time"};

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
           file.write(content) == content.size();
}

} // namespace

class TestOrcaE2E : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void startAndPauseAreSpoken();
    void resultsAreReviewedOnlyWhileShown();
    void aPrintOutcomeIsSpokenAndTakesNoKeys();
    void aPressSpeaksTheScores();

private:
    QString start(QProcess &process, const QString &program, const QStringList &arguments);
    QString openLog();
    void readLog();
    void pause(int ms);
    bool hear(const QString &pattern, int timeoutMs = 20000);
    void key(const QString &name, int waitMs = 150);
    void orcaKey(const QString &name);
    // SPACE, and the start button's caption it makes Orca say.
    bool startOrPause(const QString &spoken);
    QString spokenSince(qsizetype first) const { return m_spoken.mid(first).join('\n'); }
    void endLeftovers() const;

    MachineLock m_orcaLock{QStringLiteral("orca")};
    QTemporaryDir m_home;
    AccessibilityBus m_bus;
    XDesktop m_desktop;
    QProcessEnvironment m_env;
    QProcess m_orca;
    QProcess m_app;
    int m_log = -1;        // the pseudo-terminal's master side, Orca's log
    QByteArray m_logLine;  // a line not yet ended
    QStringList m_spoken;  // the utterances so far
    qsizetype m_heard = 0; // the utterances a step has already waited for
    bool m_badContent = false;
};

QString TestOrcaE2E::start(QProcess &process, const QString &program, const QStringList &arguments)
{
    process.setProcessEnvironment(m_env);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    return process.waitForStarted() ? QString() : program + QStringLiteral(" did not start");
}

// A pseudo-terminal for Orca's log; the path of its terminal side, or nothing.
QString TestOrcaE2E::openLog()
{
    m_log = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_log < 0 || grantpt(m_log) != 0 || unlockpt(m_log) != 0)
        return {};
    return QString::fromLocal8Bit(ptsname(m_log));
}

void TestOrcaE2E::readLog()
{
    static const QRegularExpression utterance(
        QStringLiteral(R"(SPEECH OUTPUT: (['"])(.*)\1\s*\[?\{'established)"));
    char buffer[65536];
    for (ssize_t got; m_log >= 0 && (got = ::read(m_log, buffer, sizeof buffer)) > 0;)
        m_logLine.append(buffer, got);
    for (qsizetype end; (end = m_logLine.indexOf('\n')) >= 0; m_logLine.remove(0, end + 1)) {
        const QString line = QString::fromUtf8(m_logLine.left(end));
        const QRegularExpressionMatch match = utterance.match(line);
        if (match.hasMatch())
            m_spoken.append(match.captured(2));
        m_badContent = m_badContent || line.contains(QLatin1String("bad content sent to speak()"));
    }
}

// Waits, reading the log all the while so that Orca never waits to write it.
void TestOrcaE2E::pause(int ms)
{
    QElapsedTimer clock;
    clock.start();
    do {
        readLog();
        QThread::msleep(20);
    } while (clock.elapsed() < ms);
}

// Waits until Orca says an utterance matching `pattern` that no earlier step waited for.
bool TestOrcaE2E::hear(const QString &pattern, int timeoutMs)
{
    const QRegularExpression expression(QRegularExpression::anchoredPattern(pattern));
    QElapsedTimer clock;
    clock.start();
    do {
        readLog();
        for (qsizetype i = m_heard; i < m_spoken.size(); ++i) {
            if (expression.match(m_spoken.at(i)).hasMatch()) {
                m_heard = i + 1;
                return true;
            }
        }
        QThread::msleep(20);
    } while (clock.elapsed() < timeoutMs);
    qWarning().noquote() << "Orca did not say" << pattern << "after:\n" << spokenSince(m_heard);
    return false;
}

void TestOrcaE2E::key(const QString &name, int waitMs)
{
    m_desktop.xdo({"key", name});
    pause(waitMs);
}

// A command with the Orca modifier (the desktop layout's Insert), held as a hand holds it.
void TestOrcaE2E::orcaKey(const QString &name)
{
    m_desktop.xdo({"keydown", "KP_Insert"});
    m_desktop.xdo({"key", name});
    m_desktop.xdo({"keyup", "KP_Insert"});
    pause(150);
}

bool TestOrcaE2E::startOrPause(const QString &spoken)
{
    key(QStringLiteral("space"));
    return hear(spoken);
}

void TestOrcaE2E::initTestCase()
{
    // The set-up installs every tool; one missing is a failure, never a silent skip.
    for (const char *tool :
         {"orca", "speech-dispatcher", "Xvfb", "openbox", "xdotool", "dbus-daemon", "pgrep"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            QFAIL(qPrintable(QStringLiteral("%1 is not installed").arg(QLatin1String(tool))));
    }
    // One Orca runs per user: a second suite's Orca test waits here for the first to end.
    const QString held = m_orcaLock.take(400000);
    QVERIFY2(held.isEmpty(), qPrintable(held));
    QVERIFY2(QProcess::execute(QStringLiteral("pgrep"),
                               {"-x", "-u", QString::number(getuid()), "orca"}) != 0,
             "Orca is running already for this user, and a second Orca does not start");
    QVERIFY(m_home.isValid());

    // A HOME of our own: Orca's preferences and speech-dispatcher's configuration (its sockets go
    // in the accessibility bus's runtime folder).
    // Without a sound server speech-dispatcher speaks through ALSA, to a device that drops it.
    const QString home = m_home.path();
    QVERIFY(writeFile(home + "/.asoundrc", "pcm.!default { type null }\n"));
    QVERIFY(writeFile(home + "/.config/speech-dispatcher/speechd.conf",
                      "AudioOutputMethod \"alsa\"\n"
                      "AddModule \"espeak-ng\" \"sd_espeak-ng\" \"espeak-ng.conf\"\n"
                      "DefaultModule espeak-ng\n"));
    QVERIFY(QDir().mkpath(home + "/orca"));
    QProcessEnvironment base = QProcessEnvironment::systemEnvironment();
    base.insert(QStringLiteral("HOME"), home);
    base.insert(QStringLiteral("XDG_CONFIG_HOME"), home + "/.config");
    base.insert(QStringLiteral("XDG_CACHE_HOME"), home + "/.cache");
    base.insert(QStringLiteral("XDG_DATA_HOME"), home + "/.local/share");
    base.remove(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON")); // Orca switches it on
    base.remove(QStringLiteral("SPEECHD_ADDRESS"));

    QString failed = m_bus.start(base);
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
    failed = m_desktop.start(m_bus.environment());
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
    m_env = m_desktop.environment();

    const QString log = openLog();
    QVERIFY2(!log.isEmpty(), "no pseudo-terminal for Orca's log");
    failed = start(m_orca, QStringLiteral("orca"), {"-u", home + "/orca", "--debug-file", log});
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
    QVERIFY2(hear(QStringLiteral("Screen reader on\\."), 30000), "Orca did not start");
    // A print service that is not there: a print's outcome is known at once.
    m_env.insert(QStringLiteral("CUPS_SERVER"), QStringLiteral("127.0.0.1:9"));
}

// A fresh program for each case, its main window given the keyboard.
void TestOrcaE2E::init()
{
    endProcess(m_app);
    const QString failed = start(m_app, QStringLiteral(TALLYMERE_BINARY), {});
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
    const QString main = m_desktop.waitForWindow(XDesktop::mainWindowTitle);
    QVERIFY2(!main.isEmpty(), "the main window did not appear");
    QVERIFY2(m_desktop.focus(main), "the main window never had the keyboard");
    // The window's title, then the focused start button with its designed caption.
    QVERIFY(hear(QStringLiteral(R"(SPACE BAR \(or MOUSE WHEEL\)   to  START push button\.)")));
}

// Orca was sent nothing it cannot speak.
void TestOrcaE2E::cleanup()
{
    readLog();
    QVERIFY(!m_badContent);
}

void TestOrcaE2E::cleanupTestCase()
{
    endProcess(m_app);
    endProcess(m_orca, 10000);
    pause(100);
    qInfo().noquote() << "Orca said:\n" << m_spoken.join('\n');
    const QString folder = qEnvironmentVariable("TALLYMERE_E2E_SHOTS");
    if (!folder.isEmpty())
        writeFile(QDir(folder).filePath(QStringLiteral("orca-said.txt")),
                  m_spoken.join('\n').toUtf8());
    if (m_log >= 0)
        ::close(m_log);
    m_desktop.stop();
    m_bus.stop();
    endLeftovers();
}

// speech-dispatcher and its output module leave Orca's process group and outlive it; they are
// found by the private HOME in their environment and ended by process id.
void TestOrcaE2E::endLeftovers() const
{
    const QByteArray mark = "HOME=" + QFile::encodeName(m_home.path());
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &pid : pids) {
        bool number = false;
        const int id = pid.toInt(&number);
        if (!number || id == getpid())
            continue;
        QFile environment(QStringLiteral("/proc/%1/environ").arg(pid));
        if (environment.open(QIODevice::ReadOnly) &&
            environment.readAll().split('\0').contains(mark))
            ::kill(id, SIGTERM);
    }
}

// The focused start button's new caption, at every start and pause.
void TestOrcaE2E::startAndPauseAreSpoken()
{
    QVERIFY2(startOrPause(stopButton), "the start was not spoken");
    QVERIFY2(startOrPause(startButton), "the pause was not spoken");
}

// After the pause flat review reads the seven results, name and value, and RESET; after the next
// start it reads none of them.
void TestOrcaE2E::resultsAreReviewedOnlyWhileShown()
{
    QVERIFY2(startOrPause(stopButton), "the start was not spoken");
    pause(1000); // a second of recording, so that the results have values
    QVERIFY2(startOrPause(startButton), "the pause was not spoken");
    const QString value = QStringLiteral(R"(: (\d+\.\d+( %)?|n/a))");
    qsizetype first = m_spoken.size();
    orcaKey(QStringLiteral("KP_Home"));
    for (int line = 0; line < 22; ++line)
        key(QStringLiteral("KP_Page_Up"));
    QVERIFY2(hear(".*" + QLatin1String(results[6]) + value), "flat review did not reach the end");
    const QString paused = spokenSince(first);
    for (const char *result : results) {
        const QRegularExpression read(QLatin1String(result) + value);
        QVERIFY2(read.match(paused).hasMatch(), result);
    }
    QVERIFY(paused.contains(QLatin1String("Reset all counters for a new sample")));
    key(QStringLiteral("KP_Subtract"));
    QVERIFY(hear(QStringLiteral("Leaving flat review\\.")));

    QVERIFY2(startOrPause(stopButton), "the second start was not spoken");
    first = m_spoken.size();
    orcaKey(QStringLiteral("KP_Home"));
    for (int line = 0; line < 8; ++line)
        key(QStringLiteral("KP_Page_Up"));
    key(QStringLiteral("KP_Subtract"));
    QVERIFY(hear(QStringLiteral("Leaving flat review\\.")));
    const QString running = spokenSince(first);
    QVERIFY2(running.contains(QLatin1String("Sample duration in seconds: ")), "no review");
    for (const char *result : results)
        QVERIFY2(!running.contains(QLatin1String(result)), result);
    QVERIFY(!running.contains(QLatin1String("Reset all counters")));
}

// A print's outcome is spoken as it comes, while the session runs, and the SPACE after it still
// pauses: the note took neither the focus nor the keyboard.
void TestOrcaE2E::aPrintOutcomeIsSpokenAndTakesNoKeys()
{
    QVERIFY2(startOrPause(stopButton), "the start was not spoken");
    // The File menu, with Alt held and let go as a hand does (a screen reader's key grabs miss a
    // chord as quick as "alt+f"); struck again should a loaded machine still miss it.
    const QString main = m_desktop.waitForWindow(XDesktop::mainWindowTitle);
    const int shown = m_desktop.shownWindows(main);
    const auto altF = [this] {
        m_desktop.xdo({"keydown", "alt"});
        pause(150);
        key(QStringLiteral("f"));
        m_desktop.xdo({"keyup", "alt"});
    };
    const auto menuShown = [&] {
        readLog(); // Orca waits while its log is full
        return m_desktop.shownWindows(main) == shown + 1;
    };
    QVERIFY2(XDesktop::strikeUntil(
                 altF, menuShown, [&] { return m_desktop.shownWindows(main) == shown; },
                 m_app.processId()),
             "the File menu did not open");
    QVERIFY2(hear(QStringLiteral("Print\\.")), "the File menu was not spoken");
    key(QStringLiteral("p"));
    QVERIFY2(hear(QStringLiteral(".*Check if the printer is ready\\..*")), "no prompt spoken");
    key(QStringLiteral("Return"));
    QVERIFY2(hear(QStringLiteral(".*The print service at 127\\.0\\.0\\.1:9 is not running, so "
                                 "the report cannot be printed\\..*")),
             "the outcome was not spoken");
    QVERIFY2(startOrPause(startButton), "the SPACE after the outcome did not pause");
}

// A press speaks the 0-100 score; where-am-I gives both scores, or "not rated".
void TestOrcaE2E::aPressSpeaksTheScores()
{
    QVERIFY2(!m_desktop.openRatingsWindow().isEmpty(), "the rating window did not open");
    QVERIFY(hear(QStringLiteral("VISUAL ANALOG SCALE scoring system frame\\.")));
    QProcess where;
    where.setProcessEnvironment(m_env);
    where.start(python, {QStringLiteral(TALLYMERE_ATSPI_CLIENT), "--extents",
                         XDesktop::ratingsWindowTitle, "Speaking rate"});
    QElapsedTimer clock;
    clock.start();
    while (!where.waitForFinished(50) && clock.elapsed() < 30000)
        readLog(); // Orca waits while its log is full

    const QStringList box = QString::fromLocal8Bit(where.readAllStandardOutput()).split(' ');
    QVERIFY2(box.size() == 4, qPrintable(box.join(' ')));
    // Column 382 of the drawing area, which starts 2 pixels inside the bar's edge: 49.1 and 4.9.
    m_desktop.xdo({"mousemove", QString::number(box[0].toInt() + 2 + 382),
                   QString::number(box[1].toInt() + 2 + 10)});
    m_desktop.xdo({"click", "1"});
    QVERIFY2(hear(QStringLiteral("49\\.1")), "the press was not spoken");
    key(QStringLiteral("KP_Enter")); // where am I
    QVERIFY(hear(QStringLiteral("Speaking rate slider 49\\.1 49 percent\\.")));
    QVERIFY(hear(QStringLiteral("1 to 9: 4\\.9\\.")));
    key(QStringLiteral("Tab")); // the next scale, not rated
    QVERIFY(hear(QStringLiteral("Rate regularity slider 0\\.0\\.")));
    QVERIFY(hear(QStringLiteral("not rated\\.")));
    key(QStringLiteral("KP_Enter"));
    QVERIFY(hear(QStringLiteral("Rate regularity slider 0\\.0 0 percent\\.")));
    QVERIFY(hear(QStringLiteral("not rated\\.")));
}

QTEST_MAIN(TestOrcaE2E)
#include "test_orca_e2e.moc"
