// The program as Orca, the screen reader of Debian's desktops, speaks it to a blind clinician:
// Orca itself on a private D-Bus session with at-spi2-core's bus, Xvfb with openbox, and
// speech-dispatcher speaking to a null sound device, all under a private HOME. The clinician's
// keys go in with xdotool; what Orca said is read back from its debug log, whose
// "SPEECH OUTPUT: '...'" lines are the utterances in order. The log is written in blocks, so it
// is read once Orca has ended.
#include "AccessibilityBus.h"
#include "EndProcess.h"
#include "XDesktop.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>

namespace {

const QString python = QStringLiteral("/usr/bin/python3"); // Debian's, which has pyatspi
const QString startCaption = QStringLiteral("SPACE BAR (or MOUSE WHEEL) to START push button.");
const QString stopCaption = QStringLiteral("SPACE BAR (or MOUSE WHEEL) to STOP/PAUSE push button.");
const QString ratingsFrame = QStringLiteral("VISUAL ANALOG SCALE scoring system frame.");

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
    void clinicianRunsASessionAndRatesAScale();
    void startAndPauseAreSpoken();
    void resultsAreReviewedOnlyWhileShown();
    void aPressSpeaksTheScores();

private:
    QString start(QProcess &process, const QString &program, const QStringList &arguments);
    void key(const QString &name, int waitMs = 600);
    void orcaKey(const QString &name, int waitMs = 800);
    void reviewWindow(int lines);
    void endLeftovers() const;
    // The utterances from the first one equal to `from` (after `after`) to the next `to`.
    QStringList spokenBetween(const QString &from, const QString &to, qsizetype after = 0) const;
    static bool said(const QStringList &spoken, const QString &pattern);

    QTemporaryDir m_home;
    AccessibilityBus m_bus;
    XDesktop m_desktop;
    QProcessEnvironment m_env;
    QProcess m_orca;
    QProcess m_app;
    QString m_log;
    QStringList m_spoken;
};

QString TestOrcaE2E::start(QProcess &process, const QString &program, const QStringList &arguments)
{
    process.setProcessEnvironment(m_env);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    return process.waitForStarted() ? QString() : program + QStringLiteral(" did not start");
}

void TestOrcaE2E::key(const QString &name, int waitMs)
{
    m_desktop.xdo({"key", name});
    QThread::msleep(waitMs);
}

// A command with the Orca modifier (the desktop layout's Insert), held as a hand holds it.
void TestOrcaE2E::orcaKey(const QString &name, int waitMs)
{
    m_desktop.xdo({"keydown", "KP_Insert"});
    m_desktop.xdo({"key", name});
    m_desktop.xdo({"keyup", "KP_Insert"});
    QThread::msleep(waitMs);
}

// Flat review from the top of the window, `lines` lines down, then back to following the focus.
void TestOrcaE2E::reviewWindow(int lines)
{
    orcaKey(QStringLiteral("KP_Home"));
    for (int i = 0; i < lines; ++i)
        key(QStringLiteral("KP_Page_Up"), 200);
    key(QStringLiteral("KP_Subtract"));
}

void TestOrcaE2E::initTestCase()
{
    // The set-up installs every tool; one missing is a failure, never a silent skip.
    for (const char *tool :
         {"orca", "speech-dispatcher", "Xvfb", "openbox", "xdotool", "dbus-daemon"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            QFAIL(qPrintable(QStringLiteral("%1 is not installed").arg(QLatin1String(tool))));
    }
    QVERIFY2(QProcess::execute(QStringLiteral("pgrep"),
                               {"-x", "-u", QString::number(getuid()), "orca"}) != 0,
             "Orca is running already for this user, and a second Orca does not start");
    QVERIFY(m_home.isValid());

    // A HOME of our own: Orca's preferences, speech-dispatcher's configuration and sockets.
    // Without a sound server speech-dispatcher speaks through ALSA, to a device that drops it.
    const QString home = m_home.path();
    QVERIFY(writeFile(home + "/.asoundrc", "pcm.!default { type null }\n"));
    QVERIFY(writeFile(home + "/.config/speech-dispatcher/speechd.conf",
                      "AudioOutputMethod \"alsa\"\n"
                      "AddModule \"espeak-ng\" \"sd_espeak-ng\" \"espeak-ng.conf\"\n"
                      "DefaultModule espeak-ng\n"));
    QVERIFY(QDir().mkpath(home + "/run") && QDir().mkpath(home + "/orca"));
    QFile::setPermissions(home + "/run", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment base = QProcessEnvironment::systemEnvironment();
    base.insert(QStringLiteral("HOME"), home);
    base.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + "/run");
    base.insert(QStringLiteral("XDG_CONFIG_HOME"), home + "/.config");
    base.insert(QStringLiteral("XDG_CACHE_HOME"), home + "/.cache");
    base.insert(QStringLiteral("XDG_DATA_HOME"), home + "/.local/share");
    base.remove(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON")); // Orca switches it on
    base.remove(QStringLiteral("SPEECHD_ADDRESS"));

    QString failed = m_bus.start(base);
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
    failed = m_desktop.start(m_bus.environment(), 180);
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
    m_env = m_desktop.environment();

    m_log = home + "/orca-debug.log";
    failed = start(m_orca, QStringLiteral("orca"), {"-u", home + "/orca", "--debug-file", m_log});
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
    QThread::msleep(3000); // Orca registers its listeners and says "Screen reader on."
    QVERIFY2(m_orca.state() == QProcess::Running, "Orca ended at start");
    failed = start(m_app, QStringLiteral(TALLYMERE_BINARY), {});
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
    QVERIFY2(!m_desktop.waitForWindow(XDesktop::mainWindowTitle).isEmpty(),
             "the main window did not appear");
}

void TestOrcaE2E::cleanupTestCase()
{
    endProcess(m_app);
    endProcess(m_orca);
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

void TestOrcaE2E::clinicianRunsASessionAndRatesAScale()
{
    const QString main = m_desktop.waitForWindow(XDesktop::mainWindowTitle);
    m_desktop.xdo({"windowactivate", "--sync", main});
    QThread::msleep(1500);              // the window's title, then the focused start button
    key(QStringLiteral("space"), 1000); // start
    key(QStringLiteral("space"), 1000); // pause: the results and RESET are shown
    reviewWindow(18);
    key(QStringLiteral("space"), 1000); // start again: they are hidden
    reviewWindow(10);

    QVERIFY2(!m_desktop.openRatingsWindow().isEmpty(), "the rating window did not open");
    QThread::msleep(1000);
    QProcess where;
    where.setProcessEnvironment(m_env);
    where.start(python, {QStringLiteral(TALLYMERE_ATSPI_CLIENT), "--extents",
                         XDesktop::ratingsWindowTitle, "Speaking rate"});
    where.waitForFinished(30000);
    const QStringList box = QString::fromLocal8Bit(where.readAllStandardOutput()).split(' ');
    QVERIFY2(box.size() == 4, qPrintable(box.join(' ')));
    // Column 382 of the drawing area, which starts 2 pixels inside the bar's edge: 49.1 and 4.9.
    m_desktop.xdo({"mousemove", QString::number(box[0].toInt() + 2 + 382),
                   QString::number(box[1].toInt() + 2 + 10)});
    m_desktop.xdo({"click", "1"});
    QThread::msleep(1000);
    key(QStringLiteral("KP_Enter"), 1500); // where am I
    key(QStringLiteral("Tab"), 1000);      // the next scale, not rated
    key(QStringLiteral("KP_Enter"), 1500);
    endProcess(m_orca, 10000); // Orca ends on SIGTERM and writes out its log

    QFile log(m_log);
    QVERIFY2(log.open(QIODevice::ReadOnly), "Orca wrote no log");
    const QString text = QString::fromUtf8(log.readAll());
    const QRegularExpression utterance(
        QStringLiteral(R"(SPEECH OUTPUT: (['"])(.*)\1\s*\[?\{'established)"));
    for (auto it = utterance.globalMatch(text); it.hasNext();)
        m_spoken.append(it.next().captured(2));
    qInfo().noquote() << "Orca said:\n" << m_spoken.join('\n');
    const QString folder = qEnvironmentVariable("TALLYMERE_E2E_SHOTS");
    if (!folder.isEmpty())
        writeFile(QDir(folder).filePath(QStringLiteral("orca-said.txt")),
                  m_spoken.join('\n').toUtf8());
    QVERIFY2(!text.contains(QLatin1String("bad content sent to speak()")),
             "Orca was sent something it cannot speak");
}

QStringList TestOrcaE2E::spokenBetween(const QString &from, const QString &to,
                                       qsizetype after) const
{
    const qsizetype first = m_spoken.indexOf(from, after);
    if (first < 0)
        return {};
    const qsizetype last = m_spoken.indexOf(to, first + 1);
    return m_spoken.mid(first, last < 0 ? -1 : last - first);
}

bool TestOrcaE2E::said(const QStringList &spoken, const QString &pattern)
{
    const QRegularExpression expression(QLatin1Char('^') + pattern + QLatin1Char('$'));
    for (const QString &line : spoken) {
        if (expression.match(line).hasMatch())
            return true;
    }
    qWarning().noquote() << "not said:" << pattern;
    return false;
}

// The focused start button's new caption, at every start and pause.
void TestOrcaE2E::startAndPauseAreSpoken()
{
    const qsizetype running = m_spoken.indexOf(stopCaption);
    QVERIFY2(running >= 0, "the start was not spoken");
    const qsizetype paused = m_spoken.indexOf(startCaption, running);
    QVERIFY2(paused >= 0, "the pause was not spoken");
    QVERIFY2(m_spoken.indexOf(stopCaption, paused) >= 0, "the second start was not spoken");
}

// After the pause flat review reads the seven results, name and value, and RESET; after the next
// start it reads none of them.
void TestOrcaE2E::resultsAreReviewedOnlyWhileShown()
{
    const QStringList paused = spokenBetween(startCaption, stopCaption);
    const qsizetype restarted = m_spoken.indexOf(stopCaption, m_spoken.indexOf(startCaption));
    const QStringList running = spokenBetween(stopCaption, ratingsFrame, restarted);
    QVERIFY(!paused.isEmpty() && !running.isEmpty());
    const QString value = QStringLiteral(R"(: (\d+\.\d+( %)?|n/a))");
    const char *results[] = {"Percentage of sample duration spoken",
                             "Percentage of sample duration cluttered",
                             "Percentage of talking time cluttered",
                             "Mean speaking interval in seconds",
                             "Mean cluttering interval in seconds",
                             "Cluttering intervals per minute of sample duration",
                             "Cluttering intervals per minute of talking time"};
    for (const char *result : results)
        QVERIFY(said(paused, QStringLiteral(".*") + QLatin1String(result) + value));
    QVERIFY(said(paused, QStringLiteral("Reset all counters for a new sample .*")));

    QVERIFY(said(running, QStringLiteral(".*Sample duration in seconds: .*"))); // it did review
    for (const char *result : results)
        QVERIFY(!running.join('\n').contains(QLatin1String(result)));
    QVERIFY(!running.join('\n').contains(QLatin1String("Reset all counters")));
}

// A press speaks the 0-100 score; where-am-I gives both scores, or "not rated".
void TestOrcaE2E::aPressSpeaksTheScores()
{
    const QStringList ratings = m_spoken.mid(m_spoken.indexOf(ratingsFrame));
    QVERIFY(!ratings.isEmpty());
    QVERIFY(said(ratings, QStringLiteral("49\\.1")));
    const qsizetype where =
        ratings.indexOf(QStringLiteral("Speaking rate slider 49.1 49 percent."));
    QVERIFY2(where >= 0, "where-am-I did not give the 0-100 score");
    QCOMPARE(ratings.value(where + 1), QStringLiteral("1 to 9: 4.9."));
    const qsizetype unrated =
        ratings.indexOf(QStringLiteral("Rate regularity slider 0.0 0 percent."));
    QVERIFY2(unrated >= 0, "where-am-I was not asked on the second scale");
    QCOMPARE(ratings.value(unrated + 1), QStringLiteral("not rated."));
}

QTEST_MAIN(TestOrcaE2E)
#include "test_orca_e2e.moc"
