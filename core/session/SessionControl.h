#pragma once

// The controls of the main window that the session engine writes to.
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
