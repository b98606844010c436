// The program as a screen reader hears it, through the real accessibility stack: a private D-Bus
// session with at-spi2-core's bus and registry, Xvfb with openbox, the built program with its
// AT-SPI bridge on, driven with xdotool, and a client in Python (pyatspi) that reads the windows
// the way a reader walks them. With TALLYMERE_E2E_SHOTS naming a folder, what the client heard is
// saved there as screen-reader-*.txt.
#include "AccessibilityBus.h"
#include "EndProcess.h"
#include "XDesktop.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QThread>

namespace {

const QString mainTitle = XDesktop::mainWindowTitle;
const QString ratingsTitle = XDesktop::ratingsWindowTitle;
const QString python = QStringLiteral("/usr/bin/python3"); // Debian's, which has pyatspi

} // namespace

class TestScreenReaderE2E : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void mainWindowWhilePaused();
    void changesAreAnnouncedWhileRunning();
    void ratedBar();

private:
    void start(QProcess &process, const QString &program, const QStringList &arguments);
    QString xdo(const QStringList &arguments) { return m_desktop.xdo(arguments); }
    QString waitForWindow(const QString &title) { return m_desktop.waitForWindow(title); }
    QString readWindow(const QString &title, const QString &saveAs);
    // Reads the window until the client hears `pattern` in it; what it heard last.
    QString readWindowUntil(const QString &title, const QString &pattern, const QString &saveAs);
    static bool hears(const QString &heard, const QString &pattern);

    QProcessEnvironment m_env;
    AccessibilityBus m_bus;
    XDesktop m_desktop;
    QProcess m_app;
};

void TestScreenReaderE2E::start(QProcess &process, const QString &program,
                                const QStringList &arguments)
{
    process.setProcessEnvironment(m_env);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    QVERIFY2(process.waitForStarted(), qPrintable(program));
}

// What the client hears in the window, one control a line; also kept as a file when asked.
QString TestScreenReaderE2E::readWindow(const QString &title, const QString &saveAs)
{
    QProcess client;
    client.setProcessEnvironment(m_env);
    client.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    client.start(python, {QStringLiteral(TALLYMERE_ATSPI_CLIENT), title});
    if (!client.waitForFinished(60000))
        client.kill();
    const QString heard = QString::fromUtf8(client.readAllStandardOutput());
    qInfo().noquote() << "A screen reader hears in" << title << ":\n" << heard;
    const QString folder = qEnvironmentVariable("TALLYMERE_E2E_SHOTS");
    if (!folder.isEmpty() && !saveAs.isEmpty()) {
        QDir().mkpath(folder);
        QFile file(QDir(folder).filePath(saveAs));
        if (file.open(QIODevice::WriteOnly))
            file.write(heard.toUtf8());
    }
    return client.exitCode() == 0 ? heard : QString();
}

QString TestScreenReaderE2E::readWindowUntil(const QString &title, const QString &pattern,
                                             const QString &saveAs)
{
    const QRegularExpression line(pattern, QRegularExpression::MultilineOption);
    QElapsedTimer clock;
    clock.start();
    QString heard;
    do {
        heard = readWindow(title, saveAs);
        if (line.match(heard).hasMatch())
            return heard;
    } while (clock.elapsed() < 20000);
    qWarning().noquote() << "never heard:" << pattern;
    return heard;
}

bool TestScreenReaderE2E::hears(const QString &heard, const QString &pattern)
{
    const QRegularExpression line(pattern, QRegularExpression::MultilineOption);
    if (line.match(heard).hasMatch())
        return true;
    qWarning().noquote() << "not heard:" << pattern;
    return false;
}

void TestScreenReaderE2E::initTestCase()
{
    // The set-up installs every tool; one missing is a failure, never a silent skip.
    for (const char *tool : {"Xvfb", "openbox", "xdotool", "dbus-daemon"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            QFAIL(qPrintable(QStringLiteral("%1 is not installed").arg(QLatin1String(tool))));
    }
    QVERIFY2(QProcess::execute(python, {"-c", "import pyatspi"}) == 0,
             "python3-pyatspi is not installed");

    QString failed = m_bus.start(QProcessEnvironment::systemEnvironment());
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
    failed = m_desktop.start(m_bus.environment());
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
    m_env = m_desktop.environment();

    m_env.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
}

// A fresh program for each case, its main window given the keyboard, the pointer on its
// background right of the panels.
void TestScreenReaderE2E::init()
{
    endProcess(m_app);
    start(m_app, QStringLiteral(TALLYMERE_BINARY), {});
    const QString main = waitForWindow(mainTitle);
    QVERIFY2(!main.isEmpty(), "the main window did not appear");
    QVERIFY2(m_desktop.focus(main), "the main window never had the keyboard");
    xdo({"mousemove", "--window", main, "900", "400"});
    // The window is in the reader's tree.
    QVERIFY2(!readWindowUntil(mainTitle, R"(^\s*push button \| 'SPACE BAR)", "").isEmpty(),
             "the reader never found the start button");
}

void TestScreenReaderE2E::cleanupTestCase()
{
    endProcess(m_app);
    m_desktop.stop();
    m_bus.stop();
}

void TestScreenReaderE2E::mainWindowWhilePaused()
{
    xdo({"key", "space"}); // start
    QThread::msleep(400);
    xdo({"mousedown", "1"}); // one speaking interval with a cluttering interval inside
    QThread::msleep(400);
    xdo({"mousedown", "3"});
    QThread::msleep(600);
    xdo({"mouseup", "3"});
    xdo({"mouseup", "1"});
    QThread::msleep(400);
    xdo({"key", "space"}); // pause

    // Paused: the results are shown.
    const QString heard =
        readWindowUntil(mainTitle, R"(^\s*label \| 'Cluttering intervals per minute of talking)",
                        QStringLiteral("screen-reader-paused.txt"));
    const QString number = QStringLiteral(R"(\d*\.?\d+)"); // "3", "3.6", ".6"
    const QString label = QStringLiteral(R"(^\s*label \| ')");
    for (const char *name :
         {"Sample duration in seconds", "Talking time in seconds", "Cluttering time in seconds"})
        QVERIFY(hears(heard, label + QLatin1String(name) + ": " + number + "'"));
    QVERIFY(hears(heard, label + "Number of speaking intervals: 1' \\| text: '1'$"));
    QVERIFY(hears(heard, label + "Number of cluttering intervals: 1' \\| text: ' 1'$"));
    for (const char *name :
         {"Percentage of sample duration spoken", "Percentage of sample duration cluttered",
          "Percentage of talking time cluttered"})
        QVERIFY(hears(heard, label + QLatin1String(name) + ": " + number + " %'"));
    for (const char *name :
         {"Mean speaking interval in seconds", "Mean cluttering interval in seconds",
          "Cluttering intervals per minute of sample duration",
          "Cluttering intervals per minute of talking time"})
        QVERIFY(hears(heard, label + QLatin1String(name) + ": \\d+\\.\\d\\d'"));
    QVERIFY(hears(heard, R"(^\s*push button \| 'SPACE BAR \(or MOUSE WHEEL\) to START')"));
    // Its text holds an apostrophe, so the client quotes it with double quotes.
    QVERIFY(hears(heard, QStringLiteral("^\\s*label \\| \"Instructions: This tool is .* close to "
                                        "the computer\\.\" \\| text: ")));
    // Top-down: the counter/timer before the results, the results before the instructions.
    const auto at = [&heard](const char *text) { return heard.indexOf(QLatin1String(text)); };
    QVERIFY(at("Sample duration in seconds") < at("Percentage of sample duration spoken"));
    QVERIFY(at("Cluttering intervals per minute of talking time") < at("Instructions: "));
}

// A reader that listens is told of every new value while the recording runs, until the pause.
void TestScreenReaderE2E::changesAreAnnouncedWhileRunning()
{
    QProcess listener;
    listener.setProcessEnvironment(m_env);
    listener.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // It listens until the last result written at the pause is announced.
    listener.start(python, {QStringLiteral(TALLYMERE_ATSPI_CLIENT), "--listen", "60",
                            "Cluttering intervals per minute of talking time"});
    QVERIFY(listener.waitForReadyRead(20000)); // "listening"
    xdo({"key", "space"});                     // start
    QThread::msleep(300);
    xdo({"mousedown", "1"});
    QThread::msleep(800);
    xdo({"mouseup", "1"});
    QThread::msleep(300);
    xdo({"key", "space"}); // pause
    QVERIFY2(listener.waitForFinished(60000), "the pause was not announced");
    const QString heard = QString::fromUtf8(listener.readAllStandardOutput());
    qInfo().noquote() << "Announced while running:\n" << heard;
    QVERIFY2(heard.count(QLatin1String("name-change | Sample duration in seconds: ")) >= 5,
             "the stopwatch is not announced on every tick");
    QVERIFY(hears(heard, "^name-change \\| Talking time in seconds: "));
    QVERIFY(hears(heard, "^name-change \\| Number of speaking intervals: 1$"));
    QVERIFY(hears(heard, "^name-change \\| Mean speaking interval in seconds: "));
    QVERIFY(hears(heard, "^name-change \\| SPACE BAR \\(or MOUSE WHEEL\\) to STOP/PAUSE$"));
    QVERIFY(hears(heard, "^name-change \\| SPACE BAR \\(or MOUSE WHEEL\\) to START$"));
}

void TestScreenReaderE2E::ratedBar()
{
    QVERIFY2(!m_desktop.openRatingsWindow().isEmpty(), "the rating window did not open");

    // The reader tells where the bar is; its drawing area starts 2 pixels inside the edge.
    QProcess where;
    where.setProcessEnvironment(m_env);
    where.start(python, {QStringLiteral(TALLYMERE_ATSPI_CLIENT), "--extents", ratingsTitle,
                         "Speaking rate"});
    QVERIFY2(where.waitForFinished(60000), "the reader did not find the bar");
    const QStringList box = QString::fromLocal8Bit(where.readAllStandardOutput()).split(' ');
    QVERIFY2(box.size() == 4, qPrintable(box.join(' ')));
    xdo({"mousemove", QString::number(box[0].toInt() + 2 + 389),
         QString::number(box[1].toInt() + 2 + 10)});
    xdo({"click", "1"});

    const QString heard =
        readWindowUntil(ratingsTitle, R"(^\s*label \| 'Speaking rate, 0 to 100: 50\.0 %')",
                        QStringLiteral("screen-reader-ratings.txt"));
    QVERIFY(hears(heard, R"(^\s*slider \| 'Speaking rate' \| description: '1 to 9: 5\.0' \| )"
                         R"(value: 50 \(0 to 100\)$)"));
    QVERIFY(hears(heard, R"(^\s*label \| 'Speaking rate, 0 to 100: 50\.0 %')"));
    QVERIFY(hears(heard, R"(^\s*label \| 'Speaking rate, 1 to 9: 5\.0')"));
    QVERIFY(
        hears(heard, R"(^\s*slider \| 'Rate regularity' \| description: 'not rated' \| value: )"));
    QVERIFY(hears(heard, R"(^\s*label \| 'Rate regularity, 0 to 100: None')"));
    QVERIFY(hears(heard, R"(^\s*panel \| 'Instruction:'\n\s*label \| 'With this tool)"));
    const auto at = [&heard](const char *text) { return heard.indexOf(QLatin1String(text)); };
    QVERIFY(at("'Speaking rate'") < at("'Rate regularity'"));
    QVERIFY(at("'Naturalness'") < at("'Pragmatic language appropriateness'"));
    QVERIFY(at("'Language coherence'") < at("'Thought organization'"));
}

QTEST_MAIN(TestScreenReaderE2E)
#include "test_screen_reader_e2e.moc"
