#include "startup/WindowNavigator.h"

#include "core/ratings/RatingFields.h"
#include "widgets/delivery/ReportDelivery.h"
#include "windows/about/frmAbout.h"
#include "windows/dialog/Dialog.h"
#include "windows/main/Form1.h"
#include "windows/ratings/CluttteringScalesForm.h"
#include "windows/timeline/TimelineWindow.h"

#include <QPointer>
#include <QWidget>

// The three windows are parentless top-level windows deleted when closed; the pointers clear
// themselves then. They work on the delivery and the ratings held here, which main() keeps for
// the whole run, so the rating window stays usable after the main window has gone.
struct WindowNavigator::Private {
    ReportDelivery delivery;
    RatingFields fields;
    QPointer<CluttteringScalesForm> ratings;
    QPointer<Form1> main;
    QPointer<TimelineWindow> timeline;
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
    delete d->timeline.data();
    delete d->specificationsDialog.data();
    delete d->about.data();
    delete d;
}

void WindowNavigator::connectMain(Form1 *mainWindow)
{
    d->main = mainWindow;
    connect(mainWindow, &Form1::ratingsRequested, this, &WindowNavigator::openRatings);
    connect(mainWindow, &Form1::timelineRequested, this, &WindowNavigator::openTimeline);
    // The Timeline window shows the main window's session: it goes with it, at once.
    connect(mainWindow, &QObject::destroyed, this, [this] { delete d->timeline.data(); });
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

void WindowNavigator::openTimeline()
{
    if (!d->main)
        return;
    if (!d->timeline) {
        d->timeline = new TimelineWindow(d->main->engine(), d->main->recording(), d->delivery);
        connect(d->timeline, &TimelineWindow::openRecordingRequested, d->main,
                &Form1::Timeline_OpenRecording);
        connect(d->timeline, &TimelineWindow::spacePressed, d->main, &Form1::Timeline_SpaceDown);
        connect(d->timeline, &TimelineWindow::middlePressed, d->main, &Form1::Timeline_MiddleDown);
    }
    bringToFront(d->timeline);
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
    if (d->timeline)
        d->timeline->close();
}

ReportDelivery &WindowNavigator::delivery() const { return d->delivery; }
QWidget *WindowNavigator::ratingsWindow() const { return d->ratings; }
QWidget *WindowNavigator::timelineWindow() const { return d->timeline; }
QWidget *WindowNavigator::specificationsWindow() const { return d->specificationsDialog; }
QWidget *WindowNavigator::aboutWindow() const { return d->about; }
