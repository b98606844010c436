#include "startup/WindowNavigator.h"

#include "core/ratings/RatingFields.h"
#include "widgets/delivery/ReportDelivery.h"
#include "windows/about/frmAbout.h"
#include "windows/dialog/Dialog.h"
#include "windows/main/Form1.h"
#include "windows/ratings/CluttteringScalesForm.h"

#include <QPointer>
#include <QWidget>

// The three windows are parentless top-level windows deleted when closed; the pointers clear
// themselves then. They work on the delivery and the ratings held here, which main() keeps for
// the whole run, so the rating window stays usable after the main window has gone.
struct WindowNavigator::Private {
    ReportDelivery delivery;
    RatingFields fields;
    QPointer<CluttteringScalesForm> ratings;
    QPointer<Dialog> specificationsDialog;
    QPointer<frmAbout> about;
};

namespace {

// Shows a window that may be hidden or behind others, in front and with the keyboard.
void bringToFront(QWidget *window)
{
    if (window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

WindowNavigator::WindowNavigator(QObject *parent) : QObject(parent), d(new Private) {}

WindowNavigator::~WindowNavigator()
{
    // A window not deleted yet (closed as the program ended) goes before what it works on.
    delete d->ratings.data();
    delete d->specificationsDialog.data();
    delete d->about.data();
    delete d;
}

void WindowNavigator::connectMain(Form1 *mainWindow)
{
    connect(mainWindow, &Form1::ratingsRequested, this, &WindowNavigator::openRatings);
    connect(mainWindow, &Form1::specificationsRequested, this,
            &WindowNavigator::openSpecifications);
    connect(mainWindow, &Form1::aboutRequested, this, &WindowNavigator::openAbout);
    connect(mainWindow, &Form1::exitRequested, this,
            [this, mainWindow] { exitFromMain(mainWindow); });
}

void WindowNavigator::openRatings()
{
    if (!d->ratings)
        d->ratings = new CluttteringScalesForm(d->fields, d->delivery);
    bringToFront(d->ratings);
}

void WindowNavigator::openSpecifications()
{
    if (!d->specificationsDialog)
        d->specificationsDialog = new Dialog;
    bringToFront(d->specificationsDialog);
}

void WindowNavigator::openAbout()
{
    if (!d->about)
        d->about = new frmAbout;
    bringToFront(d->about);
}

void WindowNavigator::exitFromMain(QWidget *mainWindow)
{
    if (mainWindow)
        mainWindow->close();
    if (d->specificationsDialog)
        d->specificationsDialog->close();
    if (d->about)
        d->about->close();
}

ReportDelivery &WindowNavigator::delivery() const { return d->delivery; }
QWidget *WindowNavigator::ratingsWindow() const { return d->ratings; }
QWidget *WindowNavigator::specificationsWindow() const { return d->specificationsDialog; }
QWidget *WindowNavigator::aboutWindow() const { return d->about; }
