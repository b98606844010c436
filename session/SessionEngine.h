#pragma once

#include "session/SessionFields.h"
#include "session/SessionView.h"

// The counting session of the main window, with no widget in it: the tick, the marking of
// speaking and cluttering intervals with the left and right buttons, start and pause with SPACE
// or the middle button, RESET, and the seven results shown at every pause. Entry points carry
// the names of the window events that drive them; everything it shows goes through SessionView.
class SessionEngine {
public:
    enum class State { Ready, Running, Paused };

    static constexpr int TickMilliseconds = 200;
    static constexpr int SpaceKey = 32;

    explicit SessionEngine(SessionView &view);

    void Form_Load();
    void Timer1_Timer();
    void Form_MouseDown(int buttonCode);
    void Form_MouseUp(int buttonCode);
    // Only the first key-down of a press toggles; keyboard auto-repeats are ignored.
    void Command1_KeyDown(int keyCode, bool autoRepeat);
    void Instructions_MouseDown(int buttonCode);
    void Command2_Click();

    bool isRunning() const;
    State state() const { return m_state; }
    const SessionFields &fields() const { return m_fields; }

private:
    void advanceTimes();
    void addTalkTick();
    void pressLeft();
    void pressRight();
    void releaseLeft();
    void releaseRight();
    void countSpeakingInterval();
    void clearLeftHeld();
    void clearRightHeld();
    void toggle();
    void start();
    void pause();
    void reset();
    void showResultsPanel(bool visible);
    void writeResults();

    SessionView &m_view;
    SessionFields m_fields;
    State m_state = State::Ready;
};
