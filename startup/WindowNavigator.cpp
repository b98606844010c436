#include "startup/WindowNavigator.h"

#include "core/ratings/RatingFields.h"
#include "widgets/delivery/ReportDelivery.h"
#include "windows/about/frmAbout.h"
#include "windows/dialog/Dialog.h"
#include "windows/main/Form1.h"
#include "windows/ratings/CluttteringScalesForm.h"

#include <QPointer>
#include <QWidget>

#include <memory>

// The three windows are parentless top-level windows deleted when closed; the pointers clear
// themselves then. The ratings are shared so that they outlive this navigator too: the main
// window may go (and take the navigator with it) while the rating window stays open on them.
struct WindowNavigator::Private {
    ReportDelivery delivery;
    std::shared_ptr<RatingFields> fields = std::make_shared<RatingFields>();
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
    // A rating window still open keeps its ratings alive until it is closed itself.
    if (d->ratings) {
        connect(d->ratings.data(), &QObject::destroyed, d->ratings.data(),
                [keep = d->fields] { Q_UNUSED(keep); });
    }
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
        d->ratings = new CluttteringScalesForm(*d->fields, d->delivery);
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
    // The main window may own this navigator; everything needed afterwards is held here first.
    const QPointer<Dialog> specificationsDialog = d->specificationsDialog;
    const QPointer<frmAbout> about = d->about;
    if (mainWindow)
        mainWindow->close();
    if (specificationsDialog)
        specificationsDialog->close();
    if (about)
        about->close();
}

ReportDelivery &WindowNavigator::delivery() const { return d->delivery; }
QWidget *WindowNavigator::ratingsWindow() const { return d->ratings; }
QWidget *WindowNavigator::specificationsWindow() const { return d->specificationsDialog; }
QWidget *WindowNavigator::aboutWindow() const { return d->about; }
