#pragma once

#include "core/session/SessionControl.h"
#include "core/text/Rgb.h"

#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>

enum class SessionPointer { Default, Stopwatch };

// What the main window shows of the session at one moment: the text, colour and visibility of
// each control, the start button, the pointer and the timer. Nothing for what is not known.
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

    std::array<std::optional<QString>, SessionControlCount> texts;
    std::array<std::optional<Rgb>, SessionControlCount> colours;
    std::array<std::optional<bool>, SessionControlCount> visible;
    std::optional<StartButton> startButton;
    std::optional<SessionPointer> pointer;
    std::optional<Timer> timer;
};
