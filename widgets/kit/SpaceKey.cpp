#include "widgets/kit/SpaceKey.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QKeyEvent>

SpaceKey &SpaceKey::instance()
{
    static QPointer<SpaceKey> tracker;
    if (!tracker) {
        tracker = new SpaceKey(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(tracker);
    }
    return *tracker;
}

SpaceKey::SpaceKey(QObject *parent) : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(ReleaseSettleMilliseconds);
    connect(&m_settle, &QTimer::timeout, this, &SpaceKey::clickIfStillDown);
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            &SpaceKey::applicationStateChanged);
}

void SpaceKey::actOnPress(QAbstractButton *button, PressHandler pressed)
{
    m_pressHandlers.insert(button, std::move(pressed));
    connect(button, &QObject::destroyed, this,
            [this](QObject *gone) { m_pressHandlers.remove(gone); });
}

bool SpaceKey::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    const auto &key = static_cast<const QKeyEvent &>(*event);
    if (key.key() != Qt::Key_Space || !watched->isWidgetType())
        return false;
    const bool repeat = judgedRepeat(key);
    // A release that went elsewhere (another control, a grab) ends the button's press unclicked.
    if (key.type() == QEvent::KeyRelease && m_down && watched != m_down)
        raise();
    if (auto *button = qobject_cast<QAbstractButton *>(watched))
        return onButton(button, key, repeat);
    return false;
}

bool SpaceKey::judgedRepeat(const QKeyEvent &key)
{
    if (key.type() == m_lastType && key.timestamp() == m_lastStamp)
        return m_lastRepeat;
    m_lastType = key.type();
    m_lastStamp = key.timestamp();
    m_lastRepeat = false;
    if (key.type() == QEvent::KeyPress)
        m_lastRepeat = !m_repeat.press(key.timestamp());
    else
        m_repeat.release(key.timestamp(), key.isAutoRepeat());
    return m_lastRepeat;
}

// Returns true: no button acts on SPACE but through here.
bool SpaceKey::onButton(QAbstractButton *button, const QKeyEvent &key, bool repeat)
{
    const auto handler = m_pressHandlers.constFind(button);
    if (handler != m_pressHandlers.constEnd()) {
        if (key.type() == QEvent::KeyPress)
            (*handler)(repeat, key.timestamp());
        return true;
    }
    if (key.type() == QEvent::KeyRelease) {
        if (m_down)
            m_settle.start();
        return true;
    }
    // A repeat's press: the release before it was not the key's last.
    m_settle.stop();
    if (!repeat) {
        if (m_down && m_down != button)
            m_down->setDown(false);
        m_down = button;
        button->setDown(true);
    }
    return true;
}

void SpaceKey::clickIfStillDown()
{
    QAbstractButton *button = std::exchange(m_down, nullptr);
    if (!button || !button->isDown())
        return;
    button->setDown(false);
    button->click();
}

void SpaceKey::raise()
{
    m_settle.stop();
    if (m_down)
        std::exchange(m_down, nullptr)->setDown(false);
}

void SpaceKey::applicationStateChanged(Qt::ApplicationState state)
{
    if (state != Qt::ApplicationActive) {
        // Away since the first state that was not active: inactive, then hidden, is one time away.
        if (!m_away.isValid())
            m_away.start();
        return;
    }
    if (m_away.isValid() && m_away.elapsed() > AwayMilliseconds)
        forget();
    m_away.invalidate();
}

void SpaceKey::forget()
{
    m_repeat.forget();
    m_lastType = QEvent::None;
    m_lastStamp = 0;
    m_lastRepeat = false;
    raise();
}
