#pragma once

#include "core/design/Rgb.h"
#include "core/session/SessionControl.h"

#include <QString>
#include <QtGlobal>

#include <array>

enum class SessionPointer { Default, Stopwatch };

// What the main window shows of the session at one moment: the text, colour and visibility of
// each control, the start button, the pointer and the timer. The window's design is the first
// such state; a control the session never writes keeps its design.
struct ShownState {
    struct Timer {
        bool enabled = false;
        qint64 phase = 0;
        friend bool operator==(const Timer &, const Timer &) = default;
    };
    struct StartButton {
        QString caption;
        Rgb back;
        friend bool operator==(const StartButton &, const StartButton &) = default;
    };

    std::array<QString, SessionControlCount> texts;
    std::array<Rgb, SessionControlCount> colours{};
    std::array<bool, SessionControlCount> visible{};
    StartButton startButton;
    SessionPointer pointer = SessionPointer::Default;
    Timer timer;
};
