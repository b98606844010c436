#pragma once

#include <QMainWindow>

class WindowNavigator;

// A stand-in for the main window in tests of navigation: a top-level window deleted when closed,
// owning the navigator as the real main window does.
class StandInMainWindow : public QMainWindow {
    Q_OBJECT
public:
    StandInMainWindow();
    WindowNavigator *navigator() const { return m_navigator; }

private:
    WindowNavigator *m_navigator;
};
