#include "session/SessionEngine.h"

#include "common/MouseButtons.h"
#include "common/NumberText.h"
#include "session/SessionResults.h"

#include <array>
#include <limits>

namespace {

constexpr Rgb Grey{180, 180, 180};
constexpr Rgb Teal{0, 128, 128};
constexpr Rgb Red{255, 0, 0};
constexpr Rgb RunningBack{200, 255, 200};
constexpr Rgb PausedBack{255, 200, 200};

constexpr qint16 FlagTrue = -1;
constexpr qint16 FlagFalse = 0;
constexpr qint16 SixteenBitMost = std::numeric_limits<qint16>::max();

const QString TimePlaceholder = QStringLiteral("time(s)");
const QString CountPlaceholder = QStringLiteral("#");
const QString ZeroCount = QStringLiteral(" 0");
const QString RunningCaption = QStringLiteral("SPACE BAR (or MOUSE WHEEL) to STOP/PAUSE");
const QString PausedCaption = QStringLiteral("SPACE BAR (or MOUSE WHEEL) to START");

const QString ClutterTimeFullMessage = QStringLiteral(
    "The cluttering time has reached 6553.4 s, the most one session can hold, so the session "
    "has been paused. Print the results if you need them, then press RESET to start a new "
    "sample.");
const QString ClutterCountFullMessage = QStringLiteral(
    "The number of cluttering intervals has reached 32767, the most one session can hold, so "
    "the session has been paused. Print the results if you need them, then press RESET to start "
    "a new sample.");

// The results panel: the heading and the percentages, mean intervals and rates groups.
constexpr std::array ResultsPanel{
    SessionControl::Label18,
    SessionControl::Shape4,
    SessionControl::Label8,
    SessionControl::Label10,
    SessionControl::Label11,
    SessionControl::Label12,
    SessionControl::Label5,
    SessionControl::Label6,
    SessionControl::Label7,
    SessionControl::Shape3,
    SessionControl::Label16,
    SessionControl::Label14,
    SessionControl::Label15,
    SessionControl::AvgSpeechInterval,
    SessionControl::AvgClutteringInterval,
    SessionControl::Shape5,
    SessionControl::Label17,
    SessionControl::Label20,
    SessionControl::Label22,
    SessionControl::Label19,
    SessionControl::Label21,
};

// Where each result is shown, in the order of SessionResults::AllMeasures.
constexpr std::array<SessionControl, SessionResults::MeasureCount> ResultDisplays{
    SessionControl::Label5,
    SessionControl::Label6,
    SessionControl::Label7,
    SessionControl::AvgSpeechInterval,
    SessionControl::AvgClutteringInterval,
    SessionControl::Label19,
    SessionControl::Label21,
};

double seconds(qint32 ticks) { return double(ticks) / SessionResults::TicksPerSecond; }

} // namespace

SessionEngine::SessionEngine(SessionView &view) : m_view(view) {}

bool SessionEngine::isRunning() const { return m_view.timerEnabled(); }

// ---- Window events -------------------------------------------------------------------------

void SessionEngine::Form_Load()
{
    m_view.setTimerEnabled(false);
    m_view.setPointer(SessionPointer::Default);
    m_view.setVisible(SessionControl::Instructions, true);
    m_view.setVisible(SessionControl::Command2, false);
    m_view.setText(SessionControl::Label1, TimePlaceholder);
    m_view.setText(SessionControl::LeftNumber, CountPlaceholder);
    m_view.setText(SessionControl::RightNumber, CountPlaceholder);
    m_view.setText(SessionControl::Clock, TimePlaceholder);
    m_view.setText(SessionControl::MarkedTime, TimePlaceholder);
    showResultsPanel(false);
    m_view.setVisible(SessionControl::Label13, true);
    m_state = State::Ready;
}

void SessionEngine::Timer1_Timer()
{
    // Ticks come only while running; one still queued when the session stopped is dropped.
    if (!isRunning())
        return;
    // A tick that would take the cluttering time past its 16-bit limit is not counted at all, so
    // the stopwatch, the talking time and the cluttering time stay consistent.
    if (m_fields.clutterDown != FlagFalse && m_fields.clutterTicks == SixteenBitMost) {
        pause();
        m_view.showMessage(ClutterTimeFullMessage);
        return;
    }
    advanceTimes();
}

void SessionEngine::Form_MouseDown(int buttonCode)
{
    switch (buttonCode) {
    case mousebuttons::Left: pressLeft(); break;
    case mousebuttons::Right: pressRight(); break;
    case mousebuttons::Middle: toggle(); break;
    default: break;
    }
}

void SessionEngine::Form_MouseUp(int buttonCode)
{
    switch (buttonCode) {
    case mousebuttons::Left: releaseLeft(); break;
    case mousebuttons::Right: releaseRight(); break;
    default: break;
    }
}

void SessionEngine::Command1_KeyDown(int keyCode, bool autoRepeat)
{
    if (keyCode == SpaceKey && !autoRepeat)
        toggle();
}

void SessionEngine::Instructions_MouseDown(int buttonCode)
{
    if (buttonCode == mousebuttons::Middle && !isRunning())
        start();
}

void SessionEngine::Command2_Click()
{
    // The button is shown only while paused; a reset of a running session would leave its timer
    // counting behind the placeholders, so it is refused.
    if (!isRunning())
        reset();
}

// ---- Tick, presses and releases ------------------------------------------------------------

void SessionEngine::advanceTimes()
{
    m_fields.sampleTicks = m_fields.sampleTicks.value_or(0) + 1;
    m_view.setText(SessionControl::Label1, numbertext::plain(seconds(*m_fields.sampleTicks)));
    const bool talkHeld = m_fields.talkDown.value_or(false);
    if (talkHeld)
        addTalkTick();
    if (m_fields.clutterDown != FlagFalse) {
        ++m_fields.clutterTicks;
        m_view.setText(SessionControl::MarkedTime,
                       numbertext::signedText(seconds(m_fields.clutterTicks)));
        // Cluttering heard while the speech button is up is talking time as well.
        if (!talkHeld) {
            m_view.setForeColour(SessionControl::Clock, Grey);
            addTalkTick();
        }
    }
}

void SessionEngine::addTalkTick()
{
    m_fields.talkTicks = m_fields.talkTicks.value_or(0) + 1;
    m_view.setText(SessionControl::Clock, numbertext::plain(seconds(*m_fields.talkTicks)));
}

void SessionEngine::pressLeft()
{
    if (!isRunning())
        return;
    m_fields.talkDown = true;
    m_view.setForeColour(SessionControl::Clock, Grey);
}

void SessionEngine::pressRight()
{
    if (!isRunning())
        return;
    m_fields.clutterDown = FlagTrue;
    m_view.setForeColour(SessionControl::MarkedTime, Grey);
}

void SessionEngine::releaseLeft()
{
    // A release of a button that is not marked held (pressed while paused, or over a control)
    // ends no interval and changes nothing.
    if (!m_fields.talkDown.value_or(false))
        return;
    if (!isRunning()) {
        clearLeftHeld();
        return;
    }
    m_fields.talkDown = false;
    if (m_fields.clutterDown == FlagFalse)
        countSpeakingInterval();
    m_view.setForeColour(SessionControl::Clock, Teal);
}

void SessionEngine::releaseRight()
{
    if (m_fields.clutterDown == FlagFalse)
        return;
    if (isRunning() && m_fields.clutterCount == SixteenBitMost) {
        // The interval would take the count past its 16-bit limit: stop the session and let
        // the release end the held interval as it does while paused.
        pause();
        clearRightHeld();
        m_view.showMessage(ClutterCountFullMessage);
        return;
    }
    if (!isRunning()) {
        clearRightHeld();
        return;
    }
    ++m_fields.clutterCount;
    m_fields.clutterDown = FlagFalse;
    m_view.setText(SessionControl::RightNumber, numbertext::signedText(m_fields.clutterCount));
    if (!m_fields.talkDown.value_or(false))
        countSpeakingInterval();
    m_view.setForeColour(SessionControl::MarkedTime, Red);
    m_view.setForeColour(SessionControl::Clock, Teal);
}

void SessionEngine::countSpeakingInterval()
{
    m_fields.talkCount = m_fields.talkCount.value_or(0) + 1;
    m_view.setText(SessionControl::LeftNumber, numbertext::plain(*m_fields.talkCount));
}

// A button let go while the session is not running: the interval it held is dropped, uncounted,
// and its displays return to their design colours.
void SessionEngine::clearLeftHeld()
{
    m_fields.talkDown = false;
    m_view.setForeColour(SessionControl::Clock, Teal);
}

void SessionEngine::clearRightHeld()
{
    m_fields.clutterDown = FlagFalse;
    m_view.setForeColour(SessionControl::MarkedTime, Red);
    m_view.setForeColour(SessionControl::Clock, Teal);
}

// ---- Start, pause and RESET ----------------------------------------------------------------

void SessionEngine::toggle()
{
    if (isRunning())
        pause();
    else
        start();
}

void SessionEngine::start()
{
    m_view.setTimerEnabled(true);
    if (m_fields.talkCount.value_or(0) == 0)
        m_view.setText(SessionControl::LeftNumber, ZeroCount);
    if (m_fields.clutterCount == 0)
        m_view.setText(SessionControl::RightNumber, ZeroCount);
    m_view.setVisible(SessionControl::Label13, false);
    m_view.setVisible(SessionControl::Instructions, false);
    m_view.setVisible(SessionControl::Shape2, false);
    m_view.setStartButton(RunningCaption, RunningBack);
    m_view.setVisible(SessionControl::Command2, false);
    m_view.setText(SessionControl::Label5, QString());
    m_view.setText(SessionControl::Label6, QString());
    m_view.setText(SessionControl::Label7, QString());
    showResultsPanel(false);
    m_view.setPointer(SessionPointer::Stopwatch);
    m_state = State::Running;
}

void SessionEngine::pause()
{
    m_view.setTimerEnabled(false);
    m_view.setStartButton(PausedCaption, PausedBack);
    m_view.setVisible(SessionControl::Command2, true);
    m_view.setVisible(SessionControl::Instructions, true);
    m_view.setVisible(SessionControl::Shape2, true);
    m_view.setVisible(SessionControl::Label13, true);
    showResultsPanel(true);
    m_view.setPointer(SessionPointer::Default);
    writeResults();
    m_state = State::Paused;
}

void SessionEngine::reset()
{
    m_fields.sampleTicks = 0;
    m_fields.talkTicks = 0;
    m_fields.clutterTicks = 0;
    m_fields.talkCount = 0;
    m_fields.clutterCount = 0;
    // A button still marked held would carry its time into the next sample.
    if (m_fields.talkDown.value_or(false))
        clearLeftHeld();
    if (m_fields.clutterDown != FlagFalse)
        clearRightHeld();
    m_view.setText(SessionControl::LeftNumber, CountPlaceholder);
    m_view.setText(SessionControl::RightNumber, CountPlaceholder);
    m_view.setText(SessionControl::Label1, TimePlaceholder);
    m_view.setText(SessionControl::Clock, TimePlaceholder);
    m_view.setText(SessionControl::MarkedTime, TimePlaceholder);
    m_view.setVisible(SessionControl::Command2, false);
    m_view.setVisible(SessionControl::Shape2, true);
    m_view.setText(SessionControl::Label5, QString());
    m_view.setText(SessionControl::Label6, QString());
    m_view.setText(SessionControl::Label7, QString());
    m_view.setText(SessionControl::AvgSpeechInterval, QString());
    m_view.setText(SessionControl::AvgClutteringInterval, QString());
    showResultsPanel(false);
    m_state = State::Ready;
}

void SessionEngine::showResultsPanel(bool visible)
{
    for (const SessionControl control : ResultsPanel)
        m_view.setVisible(control, visible);
}

void SessionEngine::writeResults()
{
    const SessionResults results(m_fields);
    for (int i = 0; i < SessionResults::MeasureCount; ++i)
        m_view.setText(ResultDisplays[i], results.text(SessionResults::AllMeasures[i]));
}
