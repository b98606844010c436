#pragma once

#include <QObject>
#include <QPointer>

class Form1;
class QWidget;
class ReportDelivery;

// The program's other windows, each a single instance for the whole run: the rating window (whose
// ratings, held here, outlive the window), the Timeline window of the main window's session,
// the Specifications window and the About window. The
// main window's menu asks for them by its signals, which connectMain() routes here; they open
// modeless, and opening one that is open brings it to the front. It also holds the program's one
// report delivery, which both windows' print commands use, so that one report at a time is sent
// and a report still on its way is ended before the program ends. main() holds the one navigator
// for the whole run, beside the main window, which it outlives; it deletes the windows still
// there when it goes.
class WindowNavigator : public QObject {
    Q_OBJECT
public:
    explicit WindowNavigator(QObject *parent = nullptr);
    ~WindowNavigator() override;

    // Routes the main window's requests for other windows, and its File > Exit, here.
    void connectMain(Form1 *mainWindow);

    void openRatings();
    // The main window's Timeline window, which goes with it.
    void openTimeline();
    void openSpecifications();
    void openAbout();
    // File > Exit: closes the main window, then the Specifications and About windows; the rating
    // window stays open if it is, and the program ends when its last window is closed.
    void exitFromMain(QWidget *mainWindow);

    ReportDelivery &delivery() const;
    QWidget *ratingsWindow() const;
    QWidget *timelineWindow() const;
    QWidget *specificationsWindow() const;
    QWidget *aboutWindow() const;

private:
    struct Private;
    Private *d;
};
