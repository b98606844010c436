#pragma once

// The main window: the counter/timer of a cluttering assessment.
//
// Architecture: the window is thin. Its controls come from the layout table (Form1Layout) built
// onto the client area (Form1Surface); the counting rules live in SessionEngine, which writes back
// through Form1View. The window only routes events: presses on the client area, on the
// instructions text and on the buttons, keys on the start button and the ticks of Timer1 go to
// the engine's handlers of the same names, each with the time it happened (an input event's own
// timestamp, placed on Timer1's clock by EventClock; a tick's due time); SPACE comes with whether
// it is an auto-repeat, judged for the whole program by SpaceKey. A hold ends where a box or a menu
// blocks the window, since the release then goes there. File > Print, Save as PDF and Export data
// go to their commands with the program's report delivery; the commands that open or close other
// windows are signals, which the start-up connects: the window knows no other window.

#include "core/events/EventClock.h"
#include "core/session/SessionEngine.h"
#include "windows/main/Form1View.h"

#include <QHash>
#include <QMainWindow>

class DesignButton;
class DriftFreeTimer;
class Form1Surface;
class MonotonicClock;
class QAction;
class QMenu;
class ReportDelivery;

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    // `clock`, if given, drives Timer1 instead of the system's monotonic clock (tests use a
    // clock they move by hand); it must outlive the window.
    explicit Form1(ReportDelivery &delivery, const MonotonicClock *clock = nullptr);
    ~Form1() override;

    const SessionEngine &engine() const { return m_engine; }
    DriftFreeTimer &timer() const { return *m_timer; }
    Form1Surface &surface() const { return *m_surface; }
    SessionPointer pointer() const { return m_view.pointer(); }
    Form1View &view() { return m_view; }
    QWidget *control(const QString &name) const { return m_controls.value(name); }

public slots:
    // SPACE and the middle button struck on the Timeline window, which passes them on: the same
    // as on this window's start button and background.
    void Timeline_SpaceDown(bool autoRepeat, quint64 timestamp);
    void Timeline_MiddleDown(quint64 timestamp);

signals:
    void ratingsRequested();
    void timelineRequested();
    void specificationsRequested();
    void aboutRequested();
    // File > Exit: the program closes this window and the information windows.
    void exitRequested();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private slots:
    void Form_MouseDown(int buttonCode, quint64 timestamp);
    void Form_MouseUp(int buttonCode, quint64 timestamp);
    void Instructions_MouseDown(int buttonCode, quint64 timestamp);
    void Command1_KeyDown(int keyCode, bool autoRepeat, quint64 timestamp);
    void Command2_Click(quint64 timestamp);
    void Timer1_Timer();
    void MnuFilPrint_Click();
    void MnuFilSavePdf_Click();
    void MnuFilExport_Click();
    void MnuFilExportTimeline_Click();
    void MnuFilExit_Click();
    void MnuPerceptualRatings_Click();
    void MnuTimeline_Click();
    void MnuAbtSpecifications_Click();
    void MnuAbtAbout_Click();

private:
    Form1Surface *makeSurface();
    DriftFreeTimer *makeTimer(const MonotonicClock *clock);
    void buildMenu();
    void connectControls();
    void fitCaptions();
    void focusStartButton();
    bool filterStartButtonKey(QEvent *event);

    ReportDelivery &m_delivery;
    Form1Surface *m_surface;
    QHash<QString, QWidget *> m_controls;
    DriftFreeTimer *m_timer;
    DesignButton *m_command1;
    EventClock m_eventClock;
    Form1View m_view;
    SessionEngine m_engine;
};
