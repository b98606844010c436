#include "common/KeyRepeat.h"

bool KeyRepeat::press(quint64 timestamp)
{
    const bool repeat = m_down || (m_releasedAt && timestamp != 0 && *m_releasedAt == timestamp);
    m_down = true;
    m_pressedAt = timestamp;
    m_releasedAt.reset();
    return !repeat;
}

void KeyRepeat::release(quint64 timestamp)
{
    m_down = false;
    // Stamps are the windowing system's milliseconds, which wrap at 2^32.
    if (quint32(timestamp - m_pressedAt) >= MinimumRepeatMilliseconds)
        m_releasedAt = timestamp;
    else
        m_releasedAt.reset();
}

void KeyRepeat::forget()
{
    m_down = false;
    m_releasedAt.reset();
}
