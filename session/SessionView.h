#pragma once

#include "common/Rgb.h"

#include <QString>
#include <QtGlobal>

// What the session engine writes to: the named controls of the main window, the start button,
// the window's pointer and its timer. The main window implements it with widgets; tests
// implement it with plain values.

enum class SessionControl {
    // Value displays written on every tick, press and release.
    Label1,
    Clock,
    MarkedTime,
    LeftNumber,
    RightNumber,
    // Buttons.
    Command1,
    Command2,
    // Instructions group.
    Label13,
    Instructions,
    Shape2,
    // Results panel: heading and three groups.
    Label18,
    Shape4,
    Label8,
    Label10,
    Label11,
    Label12,
    Label5,
    Label6,
    Label7,
    Shape3,
    Label16,
    Label14,
    Label15,
    AvgSpeechInterval,
    AvgClutteringInterval,
    Shape5,
    Label17,
    Label20,
    Label22,
    Label19,
    Label21,
};

inline constexpr int SessionControlCount = int(SessionControl::Label21) + 1;

// The control's designed name, which is also its objectName in the window.
const char *controlName(SessionControl control);

enum class SessionPointer { Default, Stopwatch };

class SessionView {
public:
    virtual ~SessionView() = default;

    virtual void setText(SessionControl control, const QString &text) = 0;
    virtual void setForeColour(SessionControl control, Rgb colour) = 0;
    virtual void setVisible(SessionControl control, bool visible) = 0;
    virtual void setStartButton(const QString &caption, Rgb backColour) = 0;
    virtual void setPointer(SessionPointer pointer) = 0;

    // The window's tick timer, enabled while the session runs. Enabled, its ticks fall due at
    // phaseNanoseconds + k × 200 ms (k = 1, 2, ...) on the tick clock, so a session started by an
    // event that happened a moment ago ticks from that moment; disabled, the phase is unused.
    virtual void setTimerEnabled(bool enabled, qint64 phaseNanoseconds) = 0;
    virtual bool timerEnabled() const = 0;

    // A modal message box titled "Tallymere2.02" with one OK button.
    virtual void showMessage(const QString &message) = 0;
};
