// The program's look on any desktop: every text legible against what it is drawn on, under a
// light and a dark desktop palette; the start button's face flat in its designed colours; the
// restored geometry of the two main windows.
#include "Form1Harness.h"

#include "core/ratings/RatingFields.h"
#include "core/ratings/ScaleTable.h"
#include "widgets/delivery/ReportDelivery.h"
#include "widgets/kit/ClassicLook.h"
#include "widgets/kit/DesignButton.h"
#include "widgets/kit/MessageBox.h"
#include "widgets/kit/ScreenPlacement.h"
#include "widgets/kit/Twips.h"
#include "windows/about/frmAbout.h"
#include "windows/dialog/Dialog.h"
#include "windows/main/Form1Surface.h"
#include "windows/ratings/CluttteringScalesForm.h"

#include <QDir>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>
#include <QTemporaryFile>

#include <algorithm>
#include <cmath>

namespace {

// ---- the desktops ------------------------------------------------------------------------------

// A desktop palette as a platform theme hands it to the program before its start-up code runs:
// the application palette, and the palettes the theme gives to menus, menu bars and buttons.
void setDesktopPalette(bool dark)
{
    QPalette p;
    if (dark) {
        // GNOME's dark style, as Qt's GTK platform theme reads it.
        const QColor window(53, 53, 53), base(45, 45, 45), text(238, 238, 236);
        for (auto [role, colour] : {std::pair{QPalette::Window, window},
                                    {QPalette::WindowText, text},
                                    {QPalette::Base, base},
                                    {QPalette::Text, text},
                                    {QPalette::Button, window},
                                    {QPalette::ButtonText, text},
                                    {QPalette::Light, QColor(70, 70, 70)},
                                    {QPalette::Dark, QColor(30, 30, 30)},
                                    {QPalette::Highlight, QColor(21, 83, 158)},
                                    {QPalette::HighlightedText, QColor(255, 255, 255)}})
            p.setColor(role, colour);
    } else {
        p = QApplication::style()->standardPalette();
    }
    QApplication::setPalette(p);
    for (const char *className : {"QMenu", "QMenuBar", "QAbstractButton", "QMessageBoxLabel"})
        QApplication::setPalette(p, className);
}

void startUnder(bool darkDesktop)
{
    setDesktopPalette(darkDesktop);
    classiclook::apply();
}

// ---- reading texts from pixels -----------------------------------------------------------------

double luminance(QColor c)
{
    auto channel = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(QColor a, QColor b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A text as drawn: the background is the commonest colour around the letters, the text colour
// the one that stands out most from it (the core of a stroke, where anti-aliasing has not mixed
// the two).
struct Reading {
    QColor text;
    QColor back;
    double ratio = 0;
};

Reading read(const QImage &image, QRect area)
{
    area &= image.rect();
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y) | 0xff000000];
    Reading r;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most)
            most = it.value(), r.back = QColor(it.key());
    }
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const double ratio = contrast(QColor(it.key()), r.back);
        if (ratio > r.ratio)
            r.ratio = ratio, r.text = QColor(it.key());
    }
    return r;
}

QString describe(QColor c)
{
    return QStringLiteral("(%1,%2,%3)").arg(c.red()).arg(c.green()).arg(c.blue());
}

// The box the letters of a text take inside `area`, drawn with `flags`.
QRect lettersBox(const QFont &font, QRect area, int flags, const QString &text)
{
    return QFontMetrics(font).boundingRect(area, flags, text) & area;
}

// The texts of one top-level window with their boxes in the window's pixels.
struct Text {
    QString name;
    QRect box;
    QColor colour; // the colour a label's text is drawn in
};

QList<Text> textsOf(QWidget &window)
{
    QList<Text> texts;
    auto add = [&](QWidget *w, QRect local, const QString &name, QColor designed = {}) {
        if (!local.isEmpty())
            texts.append({name, QRect(w->mapTo(&window, local.topLeft()), local.size()), designed});
    };
    for (QLabel *label : window.findChildren<QLabel *>()) {
        if (!label->isVisibleTo(&window) || label->text().trimmed().isEmpty())
            continue;
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        add(label, lettersBox(label->font(), label->contentsRect(), flags, label->text()),
            label->objectName(), label->palette().color(QPalette::WindowText));
    }
    for (QPushButton *button : window.findChildren<QPushButton *>()) {
        if (!button->isVisibleTo(&window))
            continue;
        const QRect inside = button->rect().adjusted(4, 4, -4, -4);
        add(button, lettersBox(button->font(), inside, Qt::AlignCenter, button->text()),
            button->objectName());
    }
    for (QGroupBox *box : window.findChildren<QGroupBox *>()) {
        const QFontMetrics metrics(box->font());
        add(box, QRect(0, 0, metrics.horizontalAdvance(box->title()) + 16, metrics.height()),
            box->objectName());
    }
    return texts;
}

// ---- the pairs the design fixes ----------------------------------------------------------------

// Texts whose colour and background the design fixes both, at less than 4.5 : 1. They are excused
// only while drawn in their designed text colour; a text in a system colour never is.
struct FixedText {
    const char *window;
    QColor text;
    QStringList controls;
};

QStringList scoreBoxes()
{
    QStringList names;
    for (const ScaleRow &row : ScaleTable::rows())
        names << QString::fromLatin1(row.scoreName);
    return names;
}

const FixedText kDesignFixed[] = {
    // Teal: titles on the window's (192, 255, 192) and its pale photograph, 4.2 : 1; displays on
    // light cyan (192, 255, 255), 4.3; row captions on light grey (224, 224, 224), 3.6.
    {"Form1",
     QColor(0, 128, 128),
     {"Label27", "Label18", "Label13", "Clock", "LeftNumber", "Label10", "Label11", "Label12",
      "Label14", "Label15", "Label20", "Label22"}},
    // Light cyan: marks and title on the teal speech box (0, 192, 192), 2.0; result headers on
    // teal (0, 128, 128), 4.3.
    {"Form1",
     QColor(192, 255, 255),
     {"Label23", "Label24", "Label3", "Label8", "Label16", "Label17"}},
    // Red: marks and title on the light orange box (255, 224, 192), 3.2; displays on light cyan,
    // 3.6; results on white, 4.0.
    {"Form1",
     QColor(255, 0, 0),
     {"Label25", "Label26", "Label4", "MarkedTime", "RightNumber", "Label6", "Label7", "Label19",
      "Label21", "AvgClutteringInterval"}},
    // Grey: a display while its button is held, on light cyan, 1.9.
    {"Form1", QColor(180, 180, 180), {"Clock", "MarkedTime"}},
    // Red 0-100 scores on light yellow (255, 255, 192), 3.9.
    {"CluttteringScalesForm", QColor(255, 0, 0), scoreBoxes()},
};

bool designFixed(const QString &window, const Text &text)
{
    return std::any_of(std::begin(kDesignFixed), std::end(kDesignFixed), [&](const FixedText &f) {
        return window == QLatin1String(f.window) && text.colour == f.text &&
               f.controls.contains(text.name);
    });
}

// Every text of the window, read from its pixels; the ones below 4.5 : 1 that the design does
// not fix, as messages.
QStringList illegibleTexts(QWidget &window, const QList<Text> &texts)
{
    const QImage image = window.grab().toImage();
    QStringList faults;
    for (const Text &text : texts) {
        const Reading r = read(image, text.box);
        if (r.ratio < 4.5 && !designFixed(window.objectName(), text))
            faults << QStringLiteral("%1: %2 on %3, %4 : 1")
                          .arg(text.name, describe(r.text), describe(r.back))
                          .arg(r.ratio, 0, 'f', 2);
    }
    return faults;
}

QList<Text> menuBarTexts(QMainWindow &window)
{
    QList<Text> texts;
    QMenuBar *bar = window.menuBar();
    for (QAction *action : bar->actions()) {
        const QRect item = bar->actionGeometry(action).adjusted(2, 2, -2, -2);
        texts.append({QStringLiteral("menu bar ") + action->text(),
                      QRect(bar->mapTo(&window, item.topLeft()), item.size()),
                      {}});
    }
    return texts;
}

// Each menu of the bar opened in turn, its items read from its own pixels.
QStringList illegibleMenus(QMainWindow &window)
{
    QStringList faults;
    for (QAction *top : window.menuBar()->actions()) {
        QMenu *menu = top->menu();
        if (!menu)
            continue;
        menu->popup(window.mapToGlobal(QPoint(0, 0)));
        if (!QTest::qWaitForWindowExposed(menu))
            faults << QStringLiteral("menu %1 not shown").arg(top->text());
        const QImage image = menu->grab().toImage();
        for (QAction *item : menu->actions()) {
            if (item->isSeparator())
                continue;
            const Reading r = read(image, menu->actionGeometry(item).adjusted(2, 2, -2, -2));
            if (r.ratio < 4.5)
                faults << QStringLiteral("menu item %1: %2 on %3, %4 : 1")
                              .arg(item->text(), describe(r.text), describe(r.back))
                              .arg(r.ratio, 0, 'f', 2);
        }
        menu->hide();
    }
    return faults;
}

} // namespace

class TestDesignLook : public QObject {
    Q_OBJECT

    struct Desktop {
        const char *name;
        bool dark;
    };
    static constexpr Desktop kDesktops[] = {{"light", false}, {"dark", true}};

private slots:
    void initTestCase() { Form1Harness::setUpApplication(); }

    void mainWindowTexts_data()
    {
        QTest::addColumn<bool>("darkDesktop");
        QTest::addColumn<QString>("state");
        for (const Desktop &desktop : kDesktops)
            for (const char *state : {"ready", "running with the left button held", "paused"})
                QTest::addRow("%s desktop, %s", desktop.name, state)
                    << desktop.dark << QString(state);
    }
    void mainWindowTexts()
    {
        QFETCH(bool, darkDesktop);
        QFETCH(QString, state);
        startUnder(darkDesktop);
        Form1Harness harness;
        harness.open();
        Form1 &form = *harness.window;
        QWidget &surface = form.surface();
        const QPoint rightHalf = twips::point(10000, 5000);
        if (state != QLatin1String("ready")) {
            harness.strikeSpace();
            QTest::mousePress(&surface, Qt::LeftButton, {}, rightHalf);
            harness.tick(3);
        }
        if (state == QLatin1String("paused")) {
            QTest::mouseRelease(&surface, Qt::LeftButton, {}, rightHalf);
            harness.strikeSpace();
        }
        const QStringList faults =
            illegibleTexts(form, textsOf(form) + menuBarTexts(form)) + illegibleMenus(form);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1String("\n  "))));
        if (state == QLatin1String("running with the left button held"))
            QTest::mouseRelease(&surface, Qt::LeftButton, {}, rightHalf);
    }

    void otherWindowsTexts_data()
    {
        QTest::addColumn<bool>("darkDesktop");
        QTest::addColumn<QString>("window");
        for (const Desktop &desktop : kDesktops)
            for (const char *window :
                 {"CluttteringScalesForm", "frmAbout", "Dialog", "TallymereMessageBox"})
                QTest::addRow("%s desktop, %s", desktop.name, window)
                    << desktop.dark << QString(window);
    }
    void otherWindowsTexts()
    {
        QFETCH(bool, darkDesktop);
        QFETCH(QString, window);
        startUnder(darkDesktop);
        RatingFields fields;
        ReportDelivery delivery;
        std::unique_ptr<QWidget> shown;
        QStringList faults;
        if (window == QLatin1String("CluttteringScalesForm")) {
            auto *ratings = new CluttteringScalesForm(fields, delivery);
            shown.reset(ratings);
            ratings->setAttribute(Qt::WA_DeleteOnClose, false);
            ratings->show();
            // Restored to a size that holds every control.
            ratings->setWindowState(Qt::WindowNoState);
            ratings->resize(1040, 800);
            QVERIFY(QTest::qWaitForWindowExposed(ratings));
            // Marks, so the score boxes show numbers.
            for (const ScaleRow &row : ScaleTable::rows())
                QTest::mouseClick(ratings->findChild<QWidget *>(row.barName), Qt::LeftButton, {},
                                  QPoint(300, 10));
            faults = illegibleTexts(*ratings, textsOf(*ratings) + menuBarTexts(*ratings)) +
                     illegibleMenus(*ratings);
        } else {
            if (window == QLatin1String("frmAbout"))
                shown = std::make_unique<frmAbout>();
            else if (window == QLatin1String("Dialog"))
                shown = std::make_unique<Dialog>();
            else
                shown =
                    messagebox::create(nullptr, QStringLiteral("Check if the printer is ready."));
            shown->setAttribute(Qt::WA_DeleteOnClose, false);
            shown->show();
            QVERIFY(QTest::qWaitForWindowExposed(shown.get()));
            faults = illegibleTexts(*shown, textsOf(*shown));
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1String("\n  "))));
    }

    // The face inside the thin border is the designed colour and nothing else, from the top row
    // to the bottom one, except where the caption and the focus rectangle are drawn.
    void startButtonFaceFlat_data()
    {
        QTest::addColumn<bool>("darkDesktop");
        QTest::addColumn<int>("spaces");
        QTest::addColumn<QColor>("face");
        for (const auto &[name, dark] : kDesktops) {
            QTest::addRow("%s desktop, ready", name) << dark << 0 << QColor(255, 192, 192);
            QTest::addRow("%s desktop, running", name) << dark << 1 << QColor(200, 255, 200);
            QTest::addRow("%s desktop, paused", name) << dark << 2 << QColor(255, 200, 200);
        }
    }
    void startButtonFaceFlat()
    {
        QFETCH(bool, darkDesktop);
        QFETCH(int, spaces);
        QFETCH(QColor, face);
        startUnder(darkDesktop);
        Form1Harness harness;
        harness.open();
        for (int i = 0; i < spaces; ++i)
            harness.strikeSpace();
        auto *button = harness.control<DesignButton>("Command1");
        QVERIFY(button->hasFocus());
        const QImage focused = button->grab().toImage();
        const int border = DesignButton::borderWidth, inset = DesignButton::focusInset;
        const int right = focused.width() - 1, bottom = focused.height() - 1;

        auto faceRing = [&](const QImage &image, int from, int to) {
            // Rows and columns between the border and the focus rectangle.
            QStringList wrong;
            for (int d = from; d < to; ++d) {
                for (int x = border; x <= right - border; ++x)
                    for (int y : {d, bottom - d})
                        if (QColor(image.pixel(x, y)) != face)
                            wrong << QStringLiteral("%1,%2").arg(x).arg(y);
                for (int y = border; y <= bottom - border; ++y)
                    for (int x : {d, right - d})
                        if (QColor(image.pixel(x, y)) != face)
                            wrong << QStringLiteral("%1,%2").arg(x).arg(y);
            }
            return wrong;
        };
        const QStringList wrong = faceRing(focused, border, inset);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.mid(0, 5).join(' ')));
        // Most of the inner face too: only the caption's letters differ from it.
        const Reading inner =
            read(focused, focused.rect().adjusted(inset + 1, inset + 1, -inset - 1, -inset - 1));
        QCOMPARE(inner.back, face);
        QVERIFY(inner.ratio >= 4.5);
        // A thin border of its own, distinct from the face.
        for (QPoint p : {QPoint(0, bottom / 2), QPoint(right / 2, 0), QPoint(right, bottom)})
            QVERIFY(QColor(focused.pixel(p)) != face);

        // The focus rectangle shows on the face, and goes with the focus.
        QVERIFY(!faceRing(focused, inset, inset + 1).isEmpty());
        button->clearFocus();
        QVERIFY(faceRing(button->grab().toImage(), inset, inset + 1).isEmpty());
    }

    // Un-maximized, a window takes its designed client area below the menu bar at its designed
    // place on the screen (here 1280 x 1024, which holds both).
    void restoredGeometry_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QRect>("client");
        QTest::newRow("Form1") << "Form1" << QRect(74, 40, 721, 680);
        QTest::newRow("CluttteringScalesForm")
            << "CluttteringScalesForm" << QRect(11, 57, 989, 714);
    }
    void restoredGeometry()
    {
        QFETCH(QString, window);
        QFETCH(QRect, client);
        QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 1280, 1024));
        Form1Harness harness;
        RatingFields fields;
        std::unique_ptr<QMainWindow> shown;
        if (window == QLatin1String("Form1"))
            shown = std::make_unique<Form1>(harness.delivery, &harness.clock);
        else
            shown = std::make_unique<CluttteringScalesForm>(fields, harness.delivery);
        shown->setAttribute(Qt::WA_DeleteOnClose, false);
        shown->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown.get()));
        QVERIFY(shown->isMaximized());
        shown->showNormal();
        QTRY_VERIFY(!shown->isMaximized());
        QWidget *area = shown->centralWidget();
        QTRY_COMPARE(QRect(area->mapToGlobal(QPoint(0, 0)), area->size()), client);
        QCOMPARE(shown->geometry().top(), client.top() - shown->menuBar()->height());
    }

    // A screen smaller than the design: the window keeps its size and moves onto the screen.
    void restoredGeometryOnSmallerScreens_data()
    {
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QRect>("expected");
        // Form1 with a menu bar of 22 pixels: 721 x 702 at (74, 18) as designed.
        QTest::newRow("fits") << QRect(0, 0, 1024, 768) << QRect(74, 18, 721, 702);
        QTest::newRow("too low") << QRect(0, 0, 800, 600) << QRect(74, 0, 721, 702);
        QTest::newRow("too narrow") << QRect(0, 0, 760, 800) << QRect(39, 18, 721, 702);
        QTest::newRow("panel on the left") << QRect(100, 30, 900, 740) << QRect(100, 30, 721, 702);
    }
    void restoredGeometryOnSmallerScreens()
    {
        QFETCH(QRect, area);
        QFETCH(QRect, expected);
        QCOMPARE(screenplacement::restoredGeometry(1110, 600, 10815, 10200, 22, area), expected);
    }
};

// The tests run on a screen of 1280 x 1024 pixels at 96 dots per inch, like the desktops the
// design was drawn for.
int main(int argc, char *argv[])
{
    QTemporaryFile screens(QDir::tempPath() + QStringLiteral("/tallymere-screens-XXXXXX.json"));
    if (!screens.open())
        return 2;
    screens.write(R"({"screens": [{"name": "design", "x": 0, "y": 0, "width": 1280,
                      "height": 1024, "logicalDpi": 96, "logicalBaseDpi": 96}]})");
    screens.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    TestDesignLook test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_design_look.moc"
