#pragma once

#include "core/session/SessionEngine.h"

#include <QString>

// Drives a SessionEngine from a short script of blank-separated steps, so a test row can say
// "S t*5 L t*3 l P" instead of a dozen calls. A step may end in "*n" to repeat it n times.
//   S  SPACE key-down             A  SPACE auto-repeat           K  another key (code 65)
//   M  middle down on background  m  middle up on background     I  middle down on Instructions
//   i  left down on Instructions  L  left down      l  left up   R  right down    r  right up
//   t  tick                       X  RESET click    D<n>/U<n>  button code n down/up
// Every step happens at `now` on the tick clock; a tick moves `now` on by one tick, to the tick's
// due time, so a session started at `now` ticks on that schedule. After every step the engine's
// timeline must agree with its counters (see disagreement()); a step where it does not fails the
// test.
namespace sessionscript {

void run(SessionEngine &engine, const QString &script, qint64 &now);

// How the engine's timeline and its counters disagree, or nothing: the counted speech intervals
// must number talkCount and the ticks of all of them add up to talkTicks, the same for
// cluttering; no interval ends before it starts, and the open ones are those of the held buttons.
QString disagreement(const SessionEngine &engine);

} // namespace sessionscript
