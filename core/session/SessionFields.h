#pragma once

#include <QtGlobal>

#include <optional>

// The seven state fields of a counting session. The unset-able ones hold no value until first
// written; an unset value counts as 0 (false) in arithmetic and converts to the empty text.
struct SessionFields {
    std::optional<qint32> sampleTicks; // ticks while running: the stopwatch
    std::optional<qint32> talkTicks;   // ticks counted as talking time
    qint16 clutterTicks = 0;           // ticks counted as cluttering time, at most 32767
    std::optional<qint32> talkCount;   // speaking intervals counted
    qint16 clutterCount = 0;           // cluttering intervals counted, at most 32767
    std::optional<bool> talkDown;      // the left (speech) button is held
    qint16 clutterDown = 0;            // the right (cluttering) button is held: -1 true, 0 false

    friend bool operator==(const SessionFields &, const SessionFields &) = default;
};
