#include "core/events/KeyRepeat.h"

bool KeyRepeat::press(quint64 timestamp)
{
    // Stamps are the windowing system's milliseconds, which wrap at 2^32.
    const bool releaseLost =
        timestamp != 0 && quint32(timestamp - m_pressedAt) > LongestRepeatGapMilliseconds;
    const bool repeat = (m_down && !releaseLost) || (m_releasedAt && *m_releasedAt == timestamp);
    m_down = true;
    m_pressedAt = timestamp;
    m_releasedAt.reset();
    return !repeat;
}

void KeyRepeat::release(quint64 timestamp, bool flaggedAsRepeat)
{
    m_down = false;
    // The toolkit's own repeat on Wayland: flagged, with the stamp of the press it repeats.
    const bool repeatsItsPress = flaggedAsRepeat && timestamp == m_pressedAt;
    // Stamps are the windowing system's milliseconds, which wrap at 2^32.
    const bool lateEnoughForARepeat =
        timestamp != 0 && quint32(timestamp - m_pressedAt) >= MinimumRepeatMilliseconds;
    if (repeatsItsPress || lateEnoughForARepeat)
        m_releasedAt = timestamp;
    else
        m_releasedAt.reset();
}

void KeyRepeat::forget()
{
    m_down = false;
    m_releasedAt.reset();
}
