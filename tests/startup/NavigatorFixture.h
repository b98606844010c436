#pragma once

#include <QMainWindow>

class WindowNavigator;

// A stand-in for the main window in tests of navigation, set up as main() sets up the real one: a
// top-level window deleted when closed, using the program's one navigator, which the caller holds
// for the whole run and which outlives it.
class StandInMainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit StandInMainWindow(WindowNavigator &navigator);
    WindowNavigator *navigator() const { return m_navigator; }

private:
    WindowNavigator *m_navigator;
};
