#include "core/session/SessionEngine.h"

#include "core/events/KeyCodes.h"
#include "core/events/MouseButtons.h"
#include "core/session/SessionResults.h"
#include "core/text/NumberText.h"

#include <algorithm>
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

// Where each result is shown, in the order of SessionResults::PanelMeasures.
constexpr std::array<SessionControl, SessionResults::PanelCount> ResultDisplays{
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

SessionEngine::SessionEngine(SessionView &view, const ShownState &design) : m_view(view, design) {}

// ---- Window events -------------------------------------------------------------------------

void SessionEngine::Form_Load()
{
    m_view.setTimerEnabled(false, 0);
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
    saveCheckpoint();
}

void SessionEngine::Timer1_Timer(qint64 due)
{
    // Ticks come only while running; one still queued when the session stopped is dropped.
    advanceTo(due);
    forgetOldHistory();
    showQueuedMessages();
}

void SessionEngine::Form_MouseDown(int buttonCode, qint64 at)
{
    receive({Input::Kind::MouseDown, buttonCode, at});
}

void SessionEngine::Form_MouseUp(int buttonCode, qint64 at)
{
    receive({Input::Kind::MouseUp, buttonCode, at});
}

void SessionEngine::Command1_KeyDown(int keyCode, bool autoRepeat, qint64 at)
{
    // A repeat does nothing and is not kept in the journal.
    if (autoRepeat)
        return;
    receive({Input::Kind::KeyDown, keyCode, at});
}

void SessionEngine::Instructions_MouseDown(int buttonCode, qint64 at)
{
    receive({Input::Kind::InstructionsDown, buttonCode, at});
}

void SessionEngine::Command2_Click(qint64 at) { receive({Input::Kind::ResetClick, 0, at}); }

// ---- The journal ---------------------------------------------------------------------------

void SessionEngine::receive(const Input &input)
{
    if (input.at >= m_present)
        applyInOrder(input);
    else
        replayWith(input);
    forgetOldHistory();
    showQueuedMessages();
}

void SessionEngine::applyInOrder(const Input &input)
{
    advanceTo(input.at);
    saveCheckpoint();
    m_journal.push_back(input);
    apply(input);
}

// An event earlier than the present: back to the last checkpoint at or before it, then the
// events after that checkpoint with this one in its place, and the ticks up to the present as
// the replayed starts and pauses schedule them.
void SessionEngine::replayWith(const Input &input)
{
    const auto after = std::upper_bound(
        m_checkpoints.begin(), m_checkpoints.end(), input.at,
        [](qint64 time, const Checkpoint &checkpoint) { return time < checkpoint.time; });
    if (after == m_checkpoints.begin()) {
        // Older than the history kept: it happens now.
        Input now = input;
        now.at = m_present;
        applyInOrder(now);
        return;
    }
    const auto base = std::size_t(after - m_checkpoints.begin()) - 1;
    const ShownState before = m_view.shown();
    const qint64 through = m_present;
    const auto from = std::ptrdiff_t(m_checkpoints[base].journalIndex - m_journalBase);
    std::vector<Input> events(m_journal.begin() + from, m_journal.end());
    m_journal.erase(m_journal.begin() + from, m_journal.end());
    // After the events of the same time already taken: they arrived first.
    const auto place =
        std::upper_bound(events.begin(), events.end(), input.at,
                         [](qint64 time, const Input &event) { return time < event.at; });
    events.insert(place, input);

    restore(m_checkpoints[base]);
    m_checkpoints.erase(m_checkpoints.begin() + std::ptrdiff_t(base) + 1, m_checkpoints.end());
    m_view.holdBack();
    for (const Input &event : events)
        applyInOrder(event);
    advanceTo(through);
    m_view.passDifferences(before);
}

void SessionEngine::advanceTo(qint64 time)
{
    while (isRunning() && nextTickDue() <= time) {
        m_present = nextTickDue();
        tick();
        saveCheckpoint();
    }
    m_present = std::max(m_present, time);
}

qint64 SessionEngine::nextTickDue() const
{
    return m_runStart + (m_ticksInRun + 1) * TickNanoseconds;
}

void SessionEngine::saveCheckpoint()
{
    const std::size_t journalIndex = m_journalBase + m_journal.size();
    // Nothing has happened since the last one.
    if (!m_checkpoints.empty() && m_checkpoints.back().time == m_present &&
        m_checkpoints.back().journalIndex == journalIndex)
        return;
    m_checkpoints.push_back({m_present, journalIndex, m_fields, m_state, m_runStart, m_ticksInRun,
                             m_limitPauses, m_view.shown(), m_timeline, m_timeline->mark()});
}

void SessionEngine::restore(const Checkpoint &checkpoint)
{
    m_present = checkpoint.time;
    m_fields = checkpoint.fields;
    m_state = checkpoint.state;
    m_runStart = checkpoint.runStart;
    m_ticksInRun = checkpoint.ticksInRun;
    m_limitPauses = checkpoint.limitPauses;
    m_view.restore(checkpoint.shown);
    m_timeline = checkpoint.timeline;
    m_timeline->cutBackTo(checkpoint.timelineMark);
}

// Keeps one checkpoint at or before the start of the history, and the events after it.
void SessionEngine::forgetOldHistory()
{
    const qint64 horizon = m_present - HistoryNanoseconds;
    while (m_checkpoints.size() >= 2 && m_checkpoints[1].time <= horizon)
        m_checkpoints.pop_front();
    if (m_checkpoints.empty())
        return;
    while (m_journalBase < m_checkpoints.front().journalIndex) {
        m_journal.pop_front();
        ++m_journalBase;
    }
}

void SessionEngine::apply(const Input &input)
{
    switch (input.kind) {
    case Input::Kind::MouseDown: mouseDown(input.code); break;
    case Input::Kind::MouseUp: mouseUp(input.code); break;
    case Input::Kind::KeyDown: keyDown(input.code); break;
    case Input::Kind::InstructionsDown: instructionsDown(input.code); break;
    case Input::Kind::ResetClick: resetClick(); break;
    }
}

// The message box is modal and runs events of its own, so it comes last, once the state and the
// window are complete.
void SessionEngine::showQueuedMessages()
{
    std::vector<QString> queued;
    queued.swap(m_queuedMessages);
    for (const QString &message : queued)
        m_view.showMessage(message);
}

// ---- Tick, presses and releases ------------------------------------------------------------

void SessionEngine::tick()
{
    ++m_ticksInRun;
    // A tick that would take the cluttering time past its 16-bit limit is not counted at all, so
    // the stopwatch, the talking time and the cluttering time stay consistent.
    if (m_fields.clutterDown != FlagFalse && m_fields.clutterTicks == SixteenBitMost) {
        pauseAtLimit(ClutterTimeFullMessage);
        return;
    }
    advanceTimes();
}

void SessionEngine::mouseDown(int buttonCode)
{
    switch (buttonCode) {
    case mousebuttons::Left: pressLeft(); break;
    case mousebuttons::Right: pressRight(); break;
    case mousebuttons::Middle: toggle(); break;
    default: break;
    }
}

void SessionEngine::mouseUp(int buttonCode)
{
    switch (buttonCode) {
    case mousebuttons::Left: releaseLeft(); break;
    case mousebuttons::Right: releaseRight(); break;
    default: break;
    }
}

void SessionEngine::keyDown(int keyCode)
{
    if (keyCode == keycodes::Space)
        toggle();
}

void SessionEngine::instructionsDown(int buttonCode)
{
    if (buttonCode == mousebuttons::Middle && !isRunning())
        start();
}

void SessionEngine::resetClick()
{
    // The button is shown only while paused; a reset of a running session would leave its timer
    // counting behind the placeholders, so it is refused.
    if (!isRunning())
        reset();
}

void SessionEngine::advanceTimes()
{
    m_fields.sampleTicks = m_fields.sampleTicks.value_or(0) + 1;
    m_view.setText(SessionControl::Label1, numbertext::plain(seconds(*m_fields.sampleTicks)));
    const bool talkHeld = m_fields.talkDown.value_or(false);
    if (talkHeld)
        addTalkTick();
    if (m_fields.clutterDown != FlagFalse) {
        ++m_fields.clutterTicks;
        m_timeline->grow(Timeline::Channel::Cluttering, *m_fields.sampleTicks);
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
    m_timeline->grow(Timeline::Channel::Speech, m_fields.sampleTicks.value_or(0));
    m_view.setText(SessionControl::Clock, numbertext::plain(seconds(*m_fields.talkTicks)));
}

void SessionEngine::pressLeft()
{
    if (!isRunning())
        return;
    m_timeline->open(Timeline::Channel::Speech, m_fields.sampleTicks.value_or(0));
    m_fields.talkDown = true;
    m_view.setForeColour(SessionControl::Clock, Grey);
}

void SessionEngine::pressRight()
{
    if (!isRunning())
        return;
    // Cluttering is talking too: a right button held alone holds a speech interval.
    m_timeline->open(Timeline::Channel::Speech, m_fields.sampleTicks.value_or(0));
    m_timeline->open(Timeline::Channel::Cluttering, m_fields.sampleTicks.value_or(0));
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
        pauseAtLimit(ClutterCountFullMessage);
        return;
    }
    if (!isRunning()) {
        clearRightHeld();
        return;
    }
    ++m_fields.clutterCount;
    m_timeline->end(Timeline::Channel::Cluttering, Timeline::Status::Counted);
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
    m_timeline->end(Timeline::Channel::Speech, Timeline::Status::Counted);
    m_view.setText(SessionControl::LeftNumber, numbertext::plain(*m_fields.talkCount));
}

// A button let go while the session is not running: the interval it held is dropped, uncounted,
// and its displays return to their design colours.
void SessionEngine::clearLeftHeld()
{
    m_fields.talkDown = false;
    if (m_fields.clutterDown == FlagFalse)
        m_timeline->end(Timeline::Channel::Speech, Timeline::Status::Dropped);
    m_view.setForeColour(SessionControl::Clock, Teal);
}

void SessionEngine::clearRightHeld()
{
    m_fields.clutterDown = FlagFalse;
    m_timeline->end(Timeline::Channel::Cluttering, Timeline::Status::Dropped);
    if (!m_fields.talkDown.value_or(false))
        m_timeline->end(Timeline::Channel::Speech, Timeline::Status::Dropped);
    m_view.setForeColour(SessionControl::MarkedTime, Red);
    m_view.setForeColour(SessionControl::Clock, Teal);
}

// The session stops itself at a 16-bit limit and says so in a modal box. The box takes any
// release that comes while it is up, so buttons held now would stay marked held into the next
// run: they are let go here, as a release while paused lets them go.
void SessionEngine::pauseAtLimit(const QString &message)
{
    pause();
    if (m_fields.talkDown.value_or(false))
        clearLeftHeld();
    if (m_fields.clutterDown != FlagFalse)
        clearRightHeld();
    ++m_limitPauses;
    if (m_limitPauses > m_limitMessagesShown) {
        m_limitMessagesShown = m_limitPauses;
        m_queuedMessages.push_back(message);
    }
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
    m_runStart = m_present;
    m_ticksInRun = 0;
    m_view.setTimerEnabled(true, m_runStart);
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
    m_timeline->addPause(m_fields.sampleTicks.value_or(0));
    m_view.setTimerEnabled(false, 0);
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
    // A new record; the one before stays with the checkpoints that replay it.
    m_timeline = std::make_shared<Timeline>();
}

void SessionEngine::showResultsPanel(bool visible)
{
    for (const SessionControl control : ResultsPanel)
        m_view.setVisible(control, visible);
}

void SessionEngine::writeResults()
{
    const SessionResults results(m_fields);
    for (int i = 0; i < SessionResults::PanelCount; ++i)
        m_view.setText(ResultDisplays[i], results.text(SessionResults::PanelMeasures[i]));
}
