#pragma once

#include "SpaceEvents.h"
#include "core/events/DriftFreeTimer.h"
#include "core/events/MonotonicClock.h"
#include "widgets/delivery/ReportDelivery.h"
#include "widgets/kit/ClassicLook.h"
#include "widgets/kit/FontSubstitutes.h"
#include "widgets/kit/SpaceKey.h"
#include "windows/main/Form1.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include <memory>

// A clock that moves only when the test says so: Timer1 then ticks exactly when asked. Input
// events are placed on it by their timestamps, read as its milliseconds modulo 2^32; it starts
// half a wrap away from the small stamps the test tools give their events, so those events
// count as arriving now.
class ManualClock : public MonotonicClock {
public:
    qint64 nowNanoseconds() const override { return m_now; }
    void advanceMilliseconds(qint64 ms) { m_now += ms * 1000000; }
    qint64 milliseconds() const { return m_now / 1000000; }

private:
    qint64 m_now = (qint64(1) << 31) * 1000000;
};

// The main window shown offscreen as the program shows it (its own look, substitute fonts), in a
// normal-state frame large enough to hold every control, with Timer1 on a manual clock.
struct Form1Harness {
    ManualClock clock;
    ReportDelivery delivery;
    std::unique_ptr<Form1> window;

    static void setUpApplication()
    {
        classiclook::apply();
        fonts::registerSubstitutes();
    }

    // A fresh window on a clock at its start, SPACE up: each case starts where the program does.
    void open()
    {
        window.reset();
        clock = ManualClock();
        SpaceKey::instance().forget();
        window = std::make_unique<Form1>(delivery, &clock);
        window->show();
        // The offscreen screen is smaller than the design; a normal frame of 1100 x 820 shows
        // every control (they reach 1009 x 681 pixels).
        window->setWindowState(Qt::WindowNoState);
        window->resize(1100, 820);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    // Lets Timer1 deliver `count` ticks through its own path.
    void tick(int count = 1)
    {
        for (int i = 0; i < count; ++i) {
            clock.advanceMilliseconds(DriftFreeTimer::DefaultIntervalMilliseconds);
            window->timer().poll();
        }
    }

    // SPACE struck on the focused control: down and up stamped with the clock's present, as the
    // windowing system stamps a key struck now (the test tools' own stamps would follow their
    // handling time, and could make a strike look like a held key's auto-repeat).
    void strikeSpace()
    {
        QWidget *target = QApplication::focusWidget();
        QVERIFY(target);
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
            spaceevents::send(target, type, quint64(clock.milliseconds()));
    }

    template <typename T = QWidget> T *control(const char *name) const
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }
};
