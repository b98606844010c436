#include "session/WindowNavigator.h"

#include <QWidget>

// Placeholder until the secondary windows exist.
struct WindowNavigator::Private {};

WindowNavigator::WindowNavigator(QObject *parent) : QObject(parent), d(new Private) {}
WindowNavigator::~WindowNavigator() { delete d; }
void WindowNavigator::openRatings() {}
void WindowNavigator::openSpecifications() {}
void WindowNavigator::openAbout() {}
void WindowNavigator::exitFromMain(QWidget *mainWindow) { mainWindow->close(); }
QWidget *WindowNavigator::ratingsWindow() const { return nullptr; }
QWidget *WindowNavigator::specificationsWindow() const { return nullptr; }
QWidget *WindowNavigator::aboutWindow() const { return nullptr; }
