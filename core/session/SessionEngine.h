#pragma once

#include "core/events/DriftFreeTimer.h"
#include "core/session/SessionFields.h"
#include "core/session/SessionView.h"
#include "core/session/ShadowView.h"
#include "core/session/Timeline.h"

#include <QString>

#include <cstddef>
#include <deque>
#include <memory>
#include <vector>

// The counting session of the main window, with no widget in it: the tick, the marking of
// speaking and cluttering intervals with the left and right buttons, start and pause with SPACE
// or the middle button, RESET, and the seven results shown at every pause. Entry points carry
// the names of the window events that drive them; everything it shows goes through SessionView.
//
// Time. Every entry point says when its event happened, in nanoseconds on the tick clock
// (the monotonic clock the window's timer reads). Ticks fall due every 200 ms from the moment of
// the start; the engine applies ticks and events in the order they happened, whatever order they
// arrive in. An event that arrives after ticks later than itself have been counted (the program
// was held up, then the timer caught up before the queued input was read) takes the session back
// through those ticks: the engine keeps a record of the state at each tick and event of the last
// minute, goes back to the one before the event, and replays its journal of what came after with
// the event in its place. A pause at t leaves no tick after t counted, a start at t sets the tick
// phase from t, a release at t ends its interval at t, a RESET at t clears what was counted up to
// t. A tick due at the very moment of an event comes before it. The window is then written only
// where it differs, so it shows exactly what it would have shown had the events come on time. An
// event older than the history kept happens at the engine's present: the latest time it has been
// given.
class SessionEngine {
public:
    enum class State { Ready, Running, Paused };

    static constexpr int TickMilliseconds = DriftFreeTimer::DefaultIntervalMilliseconds;
    static constexpr qint64 TickNanoseconds = qint64(TickMilliseconds) * 1'000'000;
    // How far back an event can still be placed; an older one happens at the present. A minute
    // of history is about 300 ticks' records of a few kilobytes each.
    static constexpr qint64 HistoryNanoseconds = 60'000'000'000;

    // `design`: what the view shows before the engine writes to it.
    SessionEngine(SessionView &view, const ShownState &design);

    void Form_Load();
    // The tick due at `due`, with every earlier one not yet counted.
    void Timer1_Timer(qint64 due);
    void Form_MouseDown(int buttonCode, qint64 at);
    void Form_MouseUp(int buttonCode, qint64 at);
    // Only the first key-down of a press toggles; keyboard auto-repeats are ignored and not kept.
    void Command1_KeyDown(int keyCode, bool autoRepeat, qint64 at);
    void Instructions_MouseDown(int buttonCode, qint64 at);
    void Command2_Click(qint64 at);

    bool isRunning() const { return m_state == State::Running; }
    State state() const { return m_state; }
    const SessionFields &fields() const { return m_fields; }
    // Every interval of the session at its time, in step with the fields; RESET starts anew.
    const Timeline &timeline() const { return *m_timeline; }

private:
    struct Input {
        enum class Kind { MouseDown, MouseUp, KeyDown, InstructionsDown, ResetClick };
        Kind kind;
        int code = 0;
        qint64 at = 0;
    };
    // The whole state of the session at one moment, and where the journal of events stood.
    struct Checkpoint {
        qint64 time;
        std::size_t journalIndex;
        SessionFields fields;
        State state;
        qint64 runStart;
        qint64 ticksInRun;
        qint64 limitPauses;
        ShownState shown;
        // The record of intervals then (RESET starts a new one) and where it stood.
        std::shared_ptr<Timeline> timeline;
        Timeline::Mark timelineMark;
    };

    // The journal: receiving, ordering, rewinding and replaying events.
    void receive(const Input &input);
    void applyInOrder(const Input &input);
    void replayWith(const Input &input);
    void advanceTo(qint64 time);
    qint64 nextTickDue() const;
    void saveCheckpoint();
    void restore(const Checkpoint &checkpoint);
    void forgetOldHistory();
    void apply(const Input &input);
    void showQueuedMessages();

    // The rules of the session.
    void tick();
    void mouseDown(int buttonCode);
    void mouseUp(int buttonCode);
    void keyDown(int keyCode);
    void instructionsDown(int buttonCode);
    void resetClick();
    void advanceTimes();
    void addTalkTick();
    void pressLeft();
    void pressRight();
    void releaseLeft();
    void releaseRight();
    void countSpeakingInterval();
    void clearLeftHeld();
    void clearRightHeld();
    void pauseAtLimit(const QString &message);
    void toggle();
    void start();
    void pause();
    void reset();
    void showResultsPanel(bool visible);
    void writeResults();

    ShadowView m_view;
    SessionFields m_fields;
    std::shared_ptr<Timeline> m_timeline = std::make_shared<Timeline>();
    State m_state = State::Ready;
    qint64 m_present = 0;
    qint64 m_runStart = 0;
    qint64 m_ticksInRun = 0;

    std::deque<Checkpoint> m_checkpoints;
    std::deque<Input> m_journal;   // the events since the oldest checkpoint, in time order
    std::size_t m_journalBase = 0; // the index of m_journal.front() since the load

    // Limit pauses in the timeline so far, and how many of them have had their message: a
    // replay that passes a limit pause again does not show its message again.
    qint64 m_limitPauses = 0;
    qint64 m_limitMessagesShown = 0;
    std::vector<QString> m_queuedMessages;
};
