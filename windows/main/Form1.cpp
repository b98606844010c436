#include "windows/main/Form1.h"

#include "assets/Assets.h"
#include "core/events/DriftFreeTimer.h"
#include "core/events/KeyCodes.h"
#include "core/events/MouseButtons.h"
#include "media/MediaFramework.h"
#include "widgets/delivery/PrintCommands.h"
#include "widgets/delivery/RecordCommands.h"
#include "widgets/delivery/ReportDelivery.h"
#include "widgets/kit/Accessibility.h"
#include "widgets/kit/BorderedLabel.h"
#include "widgets/kit/DesignButton.h"
#include "widgets/kit/LayoutBuilder.h"
#include "widgets/kit/PressReport.h"
#include "widgets/kit/ScreenPlacement.h"
#include "widgets/kit/SpaceKey.h"
#include "windows/main/Form1Layout.h"
#include "windows/main/Form1Surface.h"

#include <QFileDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStandardPaths>

Form1::Form1(ReportDelivery &delivery, const MonotonicClock *clock)
    : m_clock(clock ? *clock : m_systemClock), m_delivery(delivery), m_surface(makeSurface()),
      m_controls(layout::build(m_surface, form1layout::rows())), m_timer(makeTimer()),
      m_command1(qobject_cast<DesignButton *>(m_controls.value(QStringLiteral("Command1")))),
      m_eventClock(m_clock.system(), m_clock), m_view(*this, *m_surface, m_controls, *m_timer),
      m_engine(m_view, m_view.design()), m_recording(m_clock)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(form1layout::caption));
    setWindowIcon(assets::applicationIcon());
    setCentralWidget(m_surface);
    setContextMenuPolicy(Qt::PreventContextMenu);
    buildMenu();
    // A reader meets the menu bar before the client area, although the bar was made after it.
    accessibility::readTopDown(this);
    connectControls();
    connectRecording();
    fitCaptions();
    screenplacement::restore(*this, form1layout::designLeft, form1layout::designTop,
                             form1layout::designWidth, form1layout::designHeight);
    setWindowState(Qt::WindowMaximized);
    m_engine.Form_Load();
    focusStartButton();
}

Form1::~Form1() = default;

Form1Surface *Form1::makeSurface()
{
    auto *surface = new Form1Surface(this);
    surface->setObjectName(QStringLiteral("Form1ClientArea"));
    surface->setBackColour(layout::colour(form1layout::backColour));
    surface->setPicture(QPixmap(assets::backgroundPath));
    return surface;
}

DriftFreeTimer *Form1::makeTimer()
{
    auto *timer = new DriftFreeTimer(m_clock, this);
    timer->setObjectName(QStringLiteral("Timer1"));
    timer->setInterval(SessionEngine::TickMilliseconds);
    timer->setEnabled(false);
    return timer;
}

void Form1::buildMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("Form1MenuBar"));

    QMenu *file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("MnuFilE"));
    file->menuAction()->setObjectName(QStringLiteral("MnuFilE"));
    // A menu takes the mouse: a button held on the window ends its hold as the menu opens.
    connect(file, &QMenu::aboutToShow, m_surface, &Form1Surface::releaseHeld);
    QAction *print = file->addAction(QStringLiteral("&Print"), this, &Form1::MnuFilPrint_Click);
    print->setObjectName(QStringLiteral("MnuFilPrint"));
    QAction *savePdf =
        file->addAction(QStringLiteral("&Save as PDF..."), this, &Form1::MnuFilSavePdf_Click);
    savePdf->setObjectName(QStringLiteral("MnuFilSavePdf"));
    QAction *exportData =
        file->addAction(QStringLiteral("E&xport data..."), this, &Form1::MnuFilExport_Click);
    exportData->setObjectName(QStringLiteral("MnuFilExport"));
    QAction *exportTimeline = file->addAction(QStringLiteral("Export &timeline..."), this,
                                              &Form1::MnuFilExportTimeline_Click);
    exportTimeline->setObjectName(QStringLiteral("MnuFilExportTimeline"));
    QAction *openRecording = file->addAction(QStringLiteral("&Open recording..."), this,
                                             &Form1::MnuFilOpenRecording_Click);
    openRecording->setObjectName(QStringLiteral("MnuFilOpenRecording"));
    file->addSeparator()->setObjectName(QStringLiteral("MnuFilDash"));
    QAction *exit = file->addAction(QStringLiteral("&Exit"), this, &Form1::MnuFilExit_Click);
    exit->setObjectName(QStringLiteral("MnuFilExit"));

    // A command on the menu bar itself, with no submenu.
    QAction *ratings = bar->addAction(QStringLiteral("Perceptual ratings"));
    ratings->setObjectName(QStringLiteral("MnuPerceptualRatings"));
    connect(ratings, &QAction::triggered, this, &Form1::MnuPerceptualRatings_Click);
    QAction *timeline = bar->addAction(QStringLiteral("&Timeline"));
    timeline->setObjectName(QStringLiteral("MnuTimeline"));
    connect(timeline, &QAction::triggered, this, &Form1::MnuTimeline_Click);

    QMenu *about = bar->addMenu(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("MnuAbout"));
    about->menuAction()->setObjectName(QStringLiteral("MnuAbout"));
    connect(about, &QMenu::aboutToShow, m_surface, &Form1Surface::releaseHeld);
    QAction *specificationsItem = about->addAction(QStringLiteral("&Specifications"), this,
                                                   &Form1::MnuAbtSpecifications_Click);
    specificationsItem->setObjectName(QStringLiteral("MnuAbtSpecifications"));
    QAction *aboutItem =
        about->addAction(QStringLiteral("&About"), this, &Form1::MnuAbtAbout_Click);
    aboutItem->setObjectName(QStringLiteral("MnuAbtAbout"));
}

void Form1::connectControls()
{
    connect(&m_surface->presses(), &PressReport::mouseDown, this, &Form1::Form_MouseDown);
    connect(&m_surface->presses(), &PressReport::mouseUp, this, &Form1::Form_MouseUp);
    auto *instructions = qobject_cast<BorderedLabel *>(m_controls.value("Instructions"));
    connect(&instructions->presses(), &PressReport::mouseDown, this,
            &Form1::Instructions_MouseDown);
    auto *command2 = qobject_cast<DesignButton *>(m_controls.value("Command2"));
    connect(command2, &DesignButton::clickedAt, this, &Form1::Command2_Click);
    connect(m_timer, &DriftFreeTimer::timeout, this, &Form1::Timer1_Timer);

    // The start button is first in the tab order and the only control that takes the keyboard;
    // RESET is clicked with the mouse only, so the focus never leaves the start button.
    m_command1->setFocusPolicy(Qt::StrongFocus);
    m_command1->installEventFilter(this);
    // SPACE starts and pauses as it goes down; it must not also press and click the button.
    SpaceKey::instance().actOnPress(m_command1, [this](bool repeat, quint64 timestamp) {
        Command1_KeyDown(keycodes::Space, repeat, timestamp);
    });
    command2->setFocusPolicy(Qt::NoFocus);
}

void Form1::connectRecording()
{
    connect(&m_recording, &RecordingPlayer::opened, this, &Form1::Recording_Open);
    connect(&m_recording, &RecordingPlayer::ended, this, &Form1::Recording_End);
    connect(&m_recording, &RecordingPlayer::failed, this, &Form1::Recording_Fail);
    connect(&m_recording, &RecordingPlayer::refused, this,
            [this](const QString &message) { m_delivery.say(this, message); });
    connect(&m_recording, &RecordingPlayer::told, this,
            [this](const QString &message) { m_delivery.say(this, message); });
}

void Form1::fitCaptions()
{
    for (QWidget *control : std::as_const(m_controls)) {
        if (auto *label = qobject_cast<QLabel *>(control))
            Form1View::fitCaption(*label);
    }
}

void Form1::focusStartButton()
{
    if (m_command1->isVisible() || !isVisible())
        m_command1->setFocus(Qt::ActiveWindowFocusReason);
}

bool Form1::event(QEvent *event)
{
    // A modal box or file dialog (opened by a command of the other hand, say) gets the release of
    // a button held here: the hold ends as it comes up, and counts up to then.
    if (event->type() == QEvent::WindowBlocked)
        m_surface->releaseHeld();
    return QMainWindow::event(event);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_command1)
        return filterStartButtonKey(event);
    return QMainWindow::eventFilter(watched, event);
}

// Other keys on the start button go to the session too, which acts on SPACE alone; SPACE itself
// comes through SpaceKey, with whether it is a repeat.
bool Form1::filterStartButtonKey(QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        Command1_KeyDown(keycodes::fromQtKey(key->key()), false, key->timestamp());
    }
    return false;
}

void Form1::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // Back from another window, the keyboard is where the hands are: on the start button.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        focusStartButton();
}

void Form1::closeEvent(QCloseEvent *event)
{
    // Closing the window unloads it: nothing of the session is kept, and no tick comes after.
    m_timer->setEnabled(false);
    QMainWindow::closeEvent(event);
}

void Form1::Form_MouseDown(int buttonCode, quint64 timestamp)
{
    if (buttonCode != mousebuttons::Middle)
        m_engine.Form_MouseDown(buttonCode, m_eventClock.place(timestamp));
    else if (!refuseStart())
        m_engine.Form_MouseDown(buttonCode, placeToggle(timestamp));
    followSession();
}

void Form1::Form_MouseUp(int buttonCode, quint64 timestamp)
{
    m_engine.Form_MouseUp(buttonCode, m_eventClock.place(timestamp));
}

void Form1::Instructions_MouseDown(int buttonCode, quint64 timestamp)
{
    if (buttonCode == mousebuttons::Middle && refuseStart())
        return;
    m_engine.Instructions_MouseDown(buttonCode, placeToggle(timestamp));
    followSession();
}

void Form1::Command1_KeyDown(int keyCode, bool autoRepeat, quint64 timestamp)
{
    // A repeat does nothing, so its stamp is not placed: on Wayland it is the first press's, which
    // the clock would take for stamps gone backwards and stop trusting them.
    if (autoRepeat)
        return;
    if (keyCode != keycodes::Space) {
        m_engine.Command1_KeyDown(keyCode, autoRepeat, m_eventClock.place(timestamp));
        return;
    }
    if (refuseStart())
        return;
    m_engine.Command1_KeyDown(keyCode, autoRepeat, placeToggle(timestamp));
    followSession();
}

void Form1::Command2_Click(quint64 timestamp)
{
    m_engine.Command2_Click(m_eventClock.place(timestamp));
    // RESET takes the recording back to its start, to be marked again.
    if (m_engine.state() == SessionEngine::State::Ready) {
        m_recordingEnded = false;
        m_recording.stand(0);
    }
    focusStartButton();
}

void Form1::Timer1_Timer()
{
    m_engine.Timer1_Timer(m_timer->lastDueNanoseconds());
    followSession();
}

qint64 Form1::placeToggle(quint64 timestamp)
{
    // A start takes its tick phase from the recording, once its sound starts to move: the clock
    // stands at the start's arrival until then, and the presses that come meanwhile count from it.
    if (m_recording.isOpen() && !m_engine.isRunning())
        return m_eventClock.placeNow();
    return m_eventClock.place(timestamp);
}

bool Form1::refuseStart()
{
    if (!m_recordingEnded || m_engine.isRunning())
        return false;
    m_delivery.say(this, QStringLiteral("The recording %1 has ended. Press RESET to mark it again "
                                        "from its start.")
                             .arg(m_recording.name()));
    return true;
}

void Form1::followSession()
{
    const qint64 stopwatch =
        qint64(m_engine.fields().sampleTicks.value_or(0)) * SessionEngine::TickMilliseconds;
    if (m_engine.isRunning())
        m_recording.run(stopwatch);
    else if (m_recording.running())
        m_recording.stand(stopwatch);
}

void Form1::MnuFilOpenRecording_Click() { openRecording(this); }

void Form1::Timeline_OpenRecording(QWidget *window) { openRecording(window); }

void Form1::openRecording(QWidget *window)
{
    // A session's counts belong to the sample already marked.
    if (m_engine.state() != SessionEngine::State::Ready) {
        m_delivery.say(window, QStringLiteral("A recording is opened before a session starts: "
                                              "press RESET first, then open it."));
        return;
    }
    if (const QString reason = mediaframework::unavailable(); !reason.isEmpty()) {
        m_delivery.say(window, reason);
        return;
    }
    const QString path = QFileDialog::getOpenFileName(
        window, tr("Open a recording"),
        QStandardPaths::writableLocation(QStandardPaths::MusicLocation),
        mediaframework::fileFilter());
    if (!path.isEmpty() && m_engine.state() == SessionEngine::State::Ready)
        m_recording.open(path);
}

void Form1::Recording_Open()
{
    m_recordingEnded = false;
    m_delivery.say(this, QStringLiteral("The recording %1 (%2 s) is open: SPACE plays it with "
                                        "the session.")
                             .arg(m_recording.name(), m_recording.recording().secondsText()));
}

void Form1::Recording_End(qint64 atMilliseconds) { endRecordedRun(atMilliseconds); }

void Form1::Recording_Fail(const QString &reason, qint64 atMilliseconds)
{
    endRecordedRun(atMilliseconds);
    m_delivery.say(this, QStringLiteral("The recording %1 stopped at %2 s: %3. The session was "
                                        "paused there; nothing counted is lost.")
                             .arg(m_recording.name())
                             .arg(double(atMilliseconds) / 1000, 0, 'f', 1)
                             .arg(reason));
}

// The session pauses where the recording stopped, as if SPACE had been struck then: the buttons
// held end their intervals there, counted.
void Form1::endRecordedRun(qint64 atMilliseconds)
{
    const qint64 at = m_clock.at(atMilliseconds * 1'000'000);
    m_recordingEnded = true;
    m_engine.Form_MouseUp(mousebuttons::Left, at);
    m_engine.Form_MouseUp(mousebuttons::Right, at);
    if (m_engine.isRunning())
        m_engine.Command1_KeyDown(keycodes::Space, false, at);
    // The surface forgets the buttons still down; their releases now change nothing.
    m_surface->releaseHeld();
    followSession();
}

void Form1::MnuFilPrint_Click()
{
    printcommands::printSession(m_delivery, this, [this] { return m_engine.fields(); });
}

void Form1::MnuFilSavePdf_Click()
{
    recordcommands::saveSessionPdf(m_delivery, this, [this] { return m_engine.fields(); });
}

void Form1::MnuFilExport_Click()
{
    recordcommands::exportSession(m_delivery, this, [this] { return m_engine.fields(); });
}

void Form1::MnuFilExportTimeline_Click()
{
    recordcommands::exportTimeline(
        m_delivery, this, [this] { return m_engine.fields(); },
        [this] { return m_engine.timeline(); }, m_recording.recording());
}

void Form1::MnuFilExit_Click() { emit exitRequested(); }

void Form1::MnuPerceptualRatings_Click() { emit ratingsRequested(); }

void Form1::MnuTimeline_Click() { emit timelineRequested(); }

void Form1::Timeline_SpaceDown(bool autoRepeat, quint64 timestamp)
{
    Command1_KeyDown(keycodes::Space, autoRepeat, timestamp);
}

void Form1::Timeline_MiddleDown(quint64 timestamp)
{
    Form_MouseDown(mousebuttons::Middle, timestamp);
}

void Form1::MnuAbtSpecifications_Click() { emit specificationsRequested(); }

void Form1::MnuAbtAbout_Click() { emit aboutRequested(); }
