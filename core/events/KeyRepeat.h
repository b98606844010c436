#pragma once

#include <QtGlobal>

#include <optional>

// Tells a key's auto-repeats from its fresh presses, for one key, from the timestamps the
// windowing system puts on every key event. Toolkits flag repeats themselves, but on X11 the flag
// is unreliable: the server sends each repeat as a release and a press with the same timestamp,
// and the toolkit recognises the pair only when the press is already queued as the release is
// read, which it often is not; its flag can also outlive a focus change. So:
// - a press stamped with the time of the release just before it is a repeat;
// - a press with no release since the previous press is a repeat (servers and compositors that
//   repeat without releases), unless it comes longer after it than any keyboard waits before
//   repeating: then the key's release was lost (a keyboard grab or an input method took it) and
//   the press is fresh;
// - a release directly followed by such a press belongs to the repeat too, so whether a release is
//   the key's last is known only when no such press has come for a short while.
// A release within a few milliseconds of its press is a tap's, never a repeat's: a keyboard
// repeats no faster than 200 times a second, and only some time after the first press. Key
// events made up by tools and tests come that fast. A stamp of 0 means the event carries no
// time; such a press is fresh after any release.
// On Wayland the toolkit makes the repeats itself: each is a release and a press, both flagged
// as a repeat and both stamped with the time of the key's first press. Such a flagged release
// with its press's stamp is a repeat's, however soon after the press it seems to come. The flag
// is believed only together with that stamp, and never when it makes a press a fresh one.
class KeyRepeat {
public:
    // The shortest time between a press and the release of a repeat that follows it.
    static constexpr quint32 MinimumRepeatMilliseconds = 5;
    // Longer than the longest delay before the first repeat that desktops offer (2 s).
    static constexpr quint32 LongestRepeatGapMilliseconds = 2500;

    // Returns true when the press is a fresh one, false when it is an auto-repeat.
    bool press(quint64 timestamp);
    // `flaggedAsRepeat`: the toolkit flags the release as an auto-repeat's.
    void release(quint64 timestamp, bool flaggedAsRepeat = false);
    // The key is up and no release is pending: where the keyboard focus arrives, say.
    void forget();

private:
    bool m_down = false;
    quint64 m_pressedAt = 0;
    // The last event was a release that an auto-repeat's press may follow, at this stamp.
    std::optional<quint64> m_releasedAt;
};
