// The About and Specifications windows: their live controls against their layout tables, their
// frames and placement, their texts and pictures, and the keys that close them (or not).
#include "SpaceEvents.h"
#include "widgets/kit/BorderedLabel.h"
#include "widgets/kit/ClassicLook.h"
#include "widgets/kit/FontSubstitutes.h"
#include "widgets/kit/LayoutBuilder.h"
#include "widgets/kit/LineWidget.h"
#include "widgets/kit/PictureBox.h"
#include "widgets/kit/SpaceKey.h"
#include "widgets/kit/Twips.h"
#include "windows/about/frmAbout.h"
#include "windows/dialog/Dialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QtTest>

#include <memory>

namespace {

std::span<const ControlRow> tableOf(const QString &window)
{
    return window == QLatin1String("frmAbout") ? frmAbout::layoutTable() : Dialog::layoutTable();
}

QWidget *makeWindow(const QString &window)
{
    if (window == QLatin1String("frmAbout"))
        return new frmAbout;
    return new Dialog;
}

// The live widget of a row; the two Line1 rows are told apart by their "index" property.
QWidget *liveControl(QWidget *window, const ControlRow &row)
{
    const QString name = QString::fromLatin1(row.name);
    if (row.kind != ControlKind::Line)
        return window->findChild<QWidget *>(name);
    for (QWidget *line : window->findChildren<QWidget *>(name)) {
        if (line->property("index").toInt() == frmAbout::lineIndex(row))
            return line;
    }
    return nullptr;
}

// Position of a widget among its siblings from front (0) to back.
int frontRank(QWidget *widget)
{
    const QObjectList siblings = widget->parentWidget()->children();
    int rank = 0;
    for (qsizetype i = siblings.size() - 1; i >= 0; --i) {
        if (siblings.at(i) == widget)
            return rank;
        if (siblings.at(i)->isWidgetType())
            ++rank;
    }
    return -1;
}

} // namespace

class InfoWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void controlsMatchLayoutTable_data();
    void controlsMatchLayoutTable();
    void stackingFollowsTable_data();
    void stackingFollowsTable();
    void aboutLinesAreAnEtchedRule();

    void frameIsFixedDialog_data();
    void frameIsFixedDialog();

    void aboutTexts();
    void specificationsText();
    void pictures();

    void aboutClosesOnKey_data();
    void aboutClosesOnKey();
    void specificationsKeys_data();
    void specificationsKeys();
    void specificationsCloseWhenHeldSpaceComesUp_data();
    void specificationsCloseWhenHeldSpaceComesUp();
    void okButtonsCloseByMouse_data();
    void okButtonsCloseByMouse();
};

void InfoWindowsTest::initTestCase()
{
    classiclook::apply();
    fonts::registerSubstitutes();
}

// SPACE is up at the start of each case, whatever the case before did with it.
void InfoWindowsTest::init() { SpaceKey::instance().forget(); }

void InfoWindowsTest::controlsMatchLayoutTable_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("row");
    for (const char *window : {"frmAbout", "Dialog"}) {
        const auto rows = tableOf(QString::fromLatin1(window));
        for (int i = 0; i < int(rows.size()); ++i) {
            // The row's name is built here rather than by addRow's printf-style formatting,
            // which GCC 12 at -O3 wrongly suspects of a null "%s" argument.
            const QByteArray tag =
                QByteArray(window) + ' ' + rows[i].name + " #" + QByteArray::number(rows[i].order);
            QTest::newRow(tag.constData()) << QString::fromLatin1(window) << i;
        }
    }
}

void InfoWindowsTest::controlsMatchLayoutTable()
{
    QFETCH(QString, window);
    QFETCH(int, row);
    const ControlRow &design = tableOf(window)[row];
    std::unique_ptr<QWidget> live(makeWindow(window));
    QWidget *control = liveControl(live.get(), design);
    QVERIFY2(control, design.name);
    QCOMPARE(control->objectName(), QString::fromLatin1(design.name));

    if (design.kind == ControlKind::Line) {
        auto *line = qobject_cast<LineWidget *>(control);
        QVERIFY(line);
        QCOMPARE(line->from(), twips::point(design.left, design.top));
        QCOMPARE(line->to(), twips::point(design.width, design.height));
        QCOMPARE(line->colour(), layout::colour(design.text, Qt::black));
        QCOMPARE(line->penWidth(), design.penWidth);
        return;
    }
    // picIcon takes the size of its 32-pixel icon, which is the designed 480 twips.
    QCOMPARE(control->geometry(),
             twips::rect(design.left, design.top, design.width, design.height));
    const QFont expected = layout::font(design.font);
    QCOMPARE(control->font().family(), expected.family());
    QCOMPARE(control->font().pointSizeF(), design.font.points);
    QCOMPARE(control->font().bold(), design.font.bold);
    QCOMPARE(control->font().underline(), design.font.underline);

    if (auto *label = qobject_cast<BorderedLabel *>(control)) {
        QCOMPARE(label->text(), QString::fromUtf8(design.caption));
        QVERIFY(label->wordWrap());
        QCOMPARE(label->alignment(), Qt::AlignLeft | Qt::AlignTop);
        QCOMPARE(label->borderStyle(), BorderStyle::None);
        QVERIFY(!label->isTransparent());
        QCOMPARE(label->textColour(),
                 layout::colour(design.text, layout::systemColour(ColourChoice::Role::ButtonText)));
        QCOMPARE(label->backColour(),
                 layout::colour(design.back, layout::systemColour(ColourChoice::Role::ButtonFace)));
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        // Painted in those colours: some pixel of the (smoothed) text comes near its colour.
        const QImage painted = label->grab().toImage();
        const auto distance = [](QColor a, QColor b) {
            return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                   std::abs(a.blue() - b.blue());
        };
        int nearest = 3 * 255;
        for (int y = 0; y < painted.height(); ++y) {
            for (int x = 0; x < painted.width(); ++x)
                nearest = std::min(nearest, distance(painted.pixel(x, y), label->textColour()));
        }
        QVERIFY2(nearest < distance(label->backColour(), label->textColour()) / 4,
                 qPrintable(label->textColour().name()));
        QCOMPARE(QColor(painted.pixel(painted.width() - 1, painted.height() - 1)),
                 label->backColour());
    } else if (auto *button = qobject_cast<QPushButton *>(control)) {
        QCOMPARE(button->text(), QString::fromUtf8(design.caption));
        QVERIFY(button->focusPolicy() & Qt::TabFocus);
    } else {
        QVERIFY(qobject_cast<PictureBox *>(control));
        QCOMPARE(control->focusPolicy(), Qt::NoFocus);
    }
}

void InfoWindowsTest::stackingFollowsTable_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("frmAbout") << QStringLiteral("frmAbout");
    QTest::newRow("Dialog") << QStringLiteral("Dialog");
}

void InfoWindowsTest::stackingFollowsTable()
{
    QFETCH(QString, window);
    std::unique_ptr<QWidget> live(makeWindow(window));
    const auto rows = tableOf(window);
    // Among rows that are not buttons, a lower order number is nearer the front; every button
    // is in front of all of them.
    for (const ControlRow &a : rows) {
        for (const ControlRow &b : rows) {
            const bool aButton = a.kind == ControlKind::Button;
            const bool bButton = b.kind == ControlKind::Button;
            const bool aInFront =
                (aButton && !bButton) || (aButton == bButton && a.order < b.order);
            if (!aInFront)
                continue;
            QVERIFY2(frontRank(liveControl(live.get(), a)) < frontRank(liveControl(live.get(), b)),
                     qPrintable(QStringLiteral("%1 behind %2").arg(a.order).arg(b.order)));
        }
    }
}

void InfoWindowsTest::aboutLinesAreAnEtchedRule()
{
    frmAbout about;
    const auto lines = about.findChildren<LineWidget *>(QStringLiteral("Line1"));
    QCOMPARE(lines.size(), 2);
    LineWidget *white = nullptr;
    LineWidget *grey = nullptr;
    for (LineWidget *line : lines)
        (line->property("index").toInt() == 0 ? white : grey) = line;
    QVERIFY(white && grey);
    QCOMPARE(white->colour(), QColor(255, 255, 255));
    QCOMPARE(grey->colour(), QColor(128, 128, 128));
    QCOMPARE(white->from().y(), grey->from().y() + 1); // the white line one pixel lower
}

void InfoWindowsTest::frameIsFixedDialog_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("client");
    QTest::newRow("frmAbout") << QStringLiteral("frmAbout") << QStringLiteral("About the Tallymere")
                              << twips::rect(4545, 3930, 5730, 3960);
    QTest::newRow("Dialog") << QStringLiteral("Dialog") << QStringLiteral("Specifications")
                            << twips::rect(2715, 2730, 10095, 4860);
}

void InfoWindowsTest::frameIsFixedDialog()
{
    QFETCH(QString, window);
    QFETCH(QString, caption);
    QFETCH(QRect, client);
    std::unique_ptr<QWidget> live(makeWindow(window));
    QCOMPARE(live->objectName(), window);
    QCOMPARE(live->windowTitle(), caption);
    QVERIFY(live->isWindow());
    QVERIFY(!live->parentWidget());
    QVERIFY(live->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(live->testAttribute(Qt::WA_QuitOnClose));
    const Qt::WindowFlags flags = live->windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(flags & Qt::WindowSystemMenuHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QCOMPARE(live->minimumSize(), client.size());
    QCOMPARE(live->maximumSize(), client.size());
    // Placed as drawn where the screen is large enough; on a smaller screen (the offscreen one
    // is 800 x 600) moved just far enough to be whole, never shrunk.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QRect expected = client;
    if (expected.right() > screen.right())
        expected.moveRight(screen.right());
    if (expected.bottom() > screen.bottom())
        expected.moveBottom(screen.bottom());
    QCOMPARE(live->geometry(), expected);
    live->show();
    QVERIFY(QTest::qWaitForWindowExposed(live.get()));
    QCOMPARE(live->geometry(), expected);
}

void InfoWindowsTest::aboutTexts()
{
    frmAbout about;
    const QString contact = about.findChild<QLabel *>(QStringLiteral("Label1"))->text();
    QVERIFY2(QRegularExpression(QStringLiteral("^\\S+@example\\.org \\(not a link\\)$"))
                 .match(contact)
                 .hasMatch(),
             qPrintable(contact));
    const QString credits = about.findChild<QLabel *>(QStringLiteral("lblDisclaimer"))->text();
    QVERIFY2(credits.size() >= 200 && credits.size() <= 280, qPrintable(credits));
    const QString description = about.findChild<QLabel *>(QStringLiteral("lblDescription"))->text();
    QVERIFY(description.contains(QStringLiteral("perceptual  (visual")));
    // Every text fits its label: nothing is cut off at the bottom.
    for (QLabel *label : about.findChildren<QLabel *>())
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                 qPrintable(label->objectName()));
}

void InfoWindowsTest::specificationsText()
{
    Dialog dialog;
    const QString text = dialog.findChild<QLabel *>(QStringLiteral("Label1"))->text();
    QCOMPARE(text, Dialog::specificationsText());
    QVERIFY(!text.contains(QLatin1Char('\n')));
    QVERIFY(!text.contains(QStringLiteral("  ")));
    const QStringList sentences =
        text.split(QRegularExpression(QStringLiteral("(?<=[.])\\s(?=[A-Z])")));
    QCOMPARE(sentences.size(), 9);
    const QString fixed[] = {
        QStringLiteral("Its timing properties are subject to limitations inherent to this "
                       "development system."),
        QStringLiteral("The timing resolution of the present is one fifth of a second."),
        QStringLiteral("Although it appears there are three timers, in fact there is only one "
                       "single timing structure."),
        QStringLiteral("Other programs could demand attention from the CPU, as well as peripheral "
                       "devices like "
                       "printers and modems if they are turned on."),
        QStringLiteral("To ensure optimal timing accuracy the Tallymere should be the only "
                       "software opened by the user."),
        QStringLiteral("This software is a sample of a larger behavioral assessment battery "
                       "(Venmark: The Venmark Modules)."),
        QStringLiteral("All Venmark modules will ultimately be controlled by rigorous multi-media "
                       "timers, or add-on "
                       "counter-timer boards for reliability and precision."),
    };
    for (int i = 0; i < 7; ++i)
        QCOMPARE(sentences.at(i + 1), fixed[i]);
    for (const char *word : {"2.02", "August 2005", "C++", "Qt"})
        QVERIFY2(sentences.first().contains(QLatin1String(word)), word);
    QVERIFY(sentences.last().contains(QStringLiteral("Venmark")));
    QVERIFY(!sentences.last().contains(QLatin1Char('@')));
    QLabel *label = dialog.findChild<QLabel *>(QStringLiteral("Label1"));
    QVERIFY(label->heightForWidth(label->width()) <= label->height());
}

void InfoWindowsTest::pictures()
{
    frmAbout about;
    Dialog dialog;
    const QPixmap drawing = about.findChild<PictureBox *>(QStringLiteral("Image1"))->picture();
    QCOMPARE(drawing.size(), QSize(140, 140));
    const QImage grey = drawing.toImage();
    for (int y = 0; y < grey.height(); y += 7) {
        for (int x = 0; x < grey.width(); x += 7)
            QVERIFY(qIsGray(grey.pixel(x, y)));
    }
    QCOMPARE(dialog.findChild<PictureBox *>(QStringLiteral("Image1"))->picture().size(),
             QSize(141, 160));
    const QPixmap icon = about.findChild<PictureBox *>(QStringLiteral("picIcon"))->picture();
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.deviceIndependentSize().toSize(), QSize(32, 32));
}

void InfoWindowsTest::aboutClosesOnKey_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("focus");
    for (const char *focus : {"cmdOK", "picIcon", "frmAbout"}) {
        QTest::addRow("Return on %s", focus) << int(Qt::Key_Return) << QString::fromLatin1(focus);
        QTest::addRow("Enter on %s", focus) << int(Qt::Key_Enter) << QString::fromLatin1(focus);
        QTest::addRow("Escape on %s", focus) << int(Qt::Key_Escape) << QString::fromLatin1(focus);
    }
}

void InfoWindowsTest::aboutClosesOnKey()
{
    QFETCH(int, key);
    QFETCH(QString, focus);
    QPointer<frmAbout> about = new frmAbout;
    about->show();
    about->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(about));
    QCOMPARE(QApplication::focusWidget(), about->findChild<QWidget *>(QStringLiteral("cmdOK")));
    QWidget *target =
        focus == QLatin1String("frmAbout") ? about.data() : about->findChild<QWidget *>(focus);
    target->setFocus();
    QTest::keyClick(target, Qt::Key(key));
    QTRY_VERIFY(!about); // closed and deleted
}

void InfoWindowsTest::specificationsKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("closes");
    QTest::newRow("Space") << int(Qt::Key_Space) << true;
    QTest::newRow("Return") << int(Qt::Key_Return) << true;
    QTest::newRow("Enter") << int(Qt::Key_Enter) << true;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
}

void InfoWindowsTest::specificationsKeys()
{
    QFETCH(int, key);
    QFETCH(bool, closes);
    QPointer<Dialog> dialog = new Dialog;
    dialog->show();
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QWidget *ok = dialog->findChild<QWidget *>(QStringLiteral("OKButton"));
    QCOMPARE(QApplication::focusWidget(), ok);
    QTest::keyClick(ok, Qt::Key(key));
    if (closes) {
        QTRY_VERIFY(!dialog);
        return;
    }
    QTest::qWait(50);
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    delete dialog.data();
}

// SPACE held: on X11 every auto-repeat is a release and a press of one stamp, the press often
// read a little after the release; on Wayland the toolkit flags both and stamps them with the
// first press's time. The window closes once, when the key really comes up.
void InfoWindowsTest::specificationsCloseWhenHeldSpaceComesUp_data()
{
    QTest::addColumn<bool>("wayland");
    QTest::newRow("X11") << false;
    QTest::newRow("Wayland") << true;
}

void InfoWindowsTest::specificationsCloseWhenHeldSpaceComesUp()
{
    QFETCH(bool, wayland);
    QPointer<Dialog> dialog = new Dialog;
    dialog->show();
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QWidget *ok = dialog->findChild<QWidget *>(QStringLiteral("OKButton"));
    const auto send = [ok](QEvent::Type type, quint64 stamp, bool flagged = false) {
        spaceevents::send(ok, type, stamp, flagged);
    };
    // Each repeat's release and press reach the window together, as a busy program reads them;
    // the window runs its events between repeats.
    send(QEvent::KeyPress, 1000);
    for (quint64 stamp = 1500; stamp < 1700; stamp += 33) {
        send(QEvent::KeyRelease, wayland ? 1000 : stamp, wayland);
        send(QEvent::KeyPress, wayland ? 1000 : stamp, wayland);
        QTest::qWait(33);
        QVERIFY2(dialog, "closed before the key came up");
    }
    send(QEvent::KeyRelease, 1900);
    QTRY_VERIFY(!dialog);
}

void InfoWindowsTest::okButtonsCloseByMouse_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("button");
    QTest::newRow("frmAbout") << QStringLiteral("frmAbout") << QStringLiteral("cmdOK");
    QTest::newRow("Dialog") << QStringLiteral("Dialog") << QStringLiteral("OKButton");
}

void InfoWindowsTest::okButtonsCloseByMouse()
{
    QFETCH(QString, window);
    QFETCH(QString, button);
    QPointer<QWidget> live = makeWindow(window);
    live->show();
    QVERIFY(QTest::qWaitForWindowExposed(live));
    QTest::mouseClick(live->findChild<QWidget *>(button), Qt::LeftButton);
    QTRY_VERIFY(!live);
}

QTEST_MAIN(InfoWindowsTest)
#include "test_info_windows.moc"
