#include "Form1Harness.h"

#include "assets/Assets.h"
#include "widgets/kit/BorderedLabel.h"
#include "widgets/kit/DesignButton.h"
#include "widgets/kit/LayoutBuilder.h"
#include "widgets/kit/LineWidget.h"
#include "widgets/kit/ShapeWidget.h"
#include "widgets/kit/Twips.h"
#include "windows/main/Form1Layout.h"
#include "windows/main/Form1Surface.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QMenu>
#include <QMenuBar>
#include <QScopeGuard>

#include <optional>

// The live main window against its layout table: every control where the table puts it, as it
// draws it, stacked in the designed order; the window's own properties and its menu.
class TestForm1Layout : public QObject {
    Q_OBJECT

    Form1Harness m_harness;

    static const ControlRow &row(const QString &name)
    {
        const ControlRow *found = layout::find(form1layout::rows(), name);
        Q_ASSERT(found);
        return *found;
    }

    static void addRowPerControl()
    {
        QTest::addColumn<QString>("name");
        for (const ControlRow &design : form1layout::rows())
            QTest::newRow(design.name) << QString::fromLatin1(design.name);
    }

    static std::optional<SessionControl> sessionControl(const QString &name)
    {
        for (int i = 0; i <= int(SessionControl::Label21); ++i) {
            if (name == QLatin1String(controlName(SessionControl(i))))
                return SessionControl(i);
        }
        return std::nullopt;
    }

    QWidget *widget(const QString &name) const
    {
        return m_harness.window->surface().findChild<QWidget *>(name);
    }

private slots:
    void initTestCase()
    {
        Form1Harness::setUpApplication();
        m_harness.open();
    }

    void windowProperties()
    {
        Form1 &form = *m_harness.window;
        QCOMPARE(form.objectName(), QStringLiteral("Form1"));
        QCOMPARE(
            form.windowTitle(),
            QStringLiteral("Tallymere (Version 2.02; Special  Release for QEFA, October 2005)"));
        QCOMPARE(form.centralWidget(), &form.surface());
        QCOMPARE(form.surface().backColour(), QColor(192, 255, 192));
        QCOMPARE(form.surface().picture().size(), QSize(1024, 768));
        const QList<QSize> sizes = form.windowIcon().availableSizes();
        for (const QSize size : {QSize(16, 16), QSize(32, 32), QSize(48, 48)})
            QVERIFY2(sizes.contains(size), qPrintable(QString::number(size.width())));
    }

    void createdMaximized()
    {
        Form1Harness other;
        Form1 form(other.delivery, &other.clock);
        QVERIFY(form.windowState().testFlag(Qt::WindowMaximized));
    }

    void backgroundPictureUnscaledAtTopLeftBehindControls()
    {
        QWidget &surface = m_harness.window->surface();
        const QImage shown = surface.grab().toImage();
        const QImage picture(assets::backgroundPath);
        // Points with no control over them: inside the picture, and right of it.
        for (const QPoint p : {QPoint(5, 700), QPoint(1000, 740), QPoint(1015, 20)})
            QCOMPARE(QColor(shown.pixel(p)), QColor(picture.pixel(p)));
        QCOMPARE(QColor(shown.pixel(1050, 700)), QColor(192, 255, 192));
        QCOMPARE(QColor(shown.pixel(5, 790)), QColor(192, 255, 192));
        // A control is drawn over the picture: the stopwatch box's light grey.
        const QRect box = twips::rect(480, 1080, 2055, 1425);
        QCOMPARE(QColor(shown.pixel(box.left() + 5, box.bottom() - 5)), QColor(224, 224, 224));
    }

    void timerAsDesigned()
    {
        auto *timer = m_harness.control<DriftFreeTimer>("Timer1");
        QVERIFY(timer);
        QCOMPARE(timer->interval(), 200);
        QVERIFY(!timer->isEnabled());
    }

    // Every control at its designed place, written in twips as designed (15 to a pixel at
    // 96 dpi).
    void everyControlAtItsDesignedPlace_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QRect>("designed");
        QTest::newRow("Command2") << "button" << QRect(600, 1695, 855, 280);
        QTest::newRow("Command1") << "button" << QRect(480, 2640, 6375, 375);
        QTest::newRow("Label27") << "label" << QRect(600, 120, 6255, 615);
        QTest::newRow("Label26") << "label" << QRect(5730, 1680, 195, 300);
        QTest::newRow("Label25") << "label" << QRect(5730, 2040, 195, 300);
        QTest::newRow("Label24") << "label" << QRect(3570, 1680, 135, 180);
        QTest::newRow("Label23") << "label" << QRect(3570, 2040, 195, 300);
        QTest::newRow("RightNumber") << "label" << QRect(5880, 2040, 855, 270);
        QTest::newRow("LeftNumber") << "label" << QRect(3720, 2040, 855, 270);
        QTest::newRow("Label1") << "label" << QRect(1560, 1680, 855, 285);
        QTest::newRow("MarkedTime") << "label" << QRect(5880, 1680, 840, 270);
        QTest::newRow("Clock") << "label" << QRect(3720, 1680, 855, 270);
        QTest::newRow("Label2") << "label" << QRect(480, 1080, 2055, 1425);
        QTest::newRow("Label3") << "label" << QRect(2520, 1080, 2175, 1425);
        QTest::newRow("Label4") << "label" << QRect(4680, 1080, 2175, 1425);
        QTest::newRow("Shape1") << "shape" << QRect(240, 720, 6855, 2535);
        QTest::newRow("Label18") << "label" << QRect(1320, 4200, 4575, 615);
        QTest::newRow("Label8") << "label" << QRect(480, 5280, 6375, 375);
        QTest::newRow("Label10") << "label" << QRect(720, 5760, 5175, 270);
        QTest::newRow("Label5") << "label" << QRect(5880, 5760, 735, 255);
        QTest::newRow("Label11") << "label" << QRect(720, 6120, 5175, 270);
        QTest::newRow("Label6") << "label" << QRect(5880, 6120, 735, 255);
        QTest::newRow("Label12") << "label" << QRect(720, 6480, 5175, 270);
        QTest::newRow("Label7") << "label" << QRect(5880, 6480, 735, 255);
        QTest::newRow("Shape4") << "shape" << QRect(240, 5040, 6855, 1815);
        QTest::newRow("Label16") << "label" << QRect(480, 7320, 6375, 375);
        QTest::newRow("Label14") << "label" << QRect(720, 7800, 5055, 255);
        QTest::newRow("AvgSpeechInterval") << "label" << QRect(5880, 7800, 735, 255);
        QTest::newRow("Label15") << "label" << QRect(720, 8160, 5175, 255);
        QTest::newRow("AvgClutteringInterval") << "label" << QRect(5880, 8160, 735, 255);
        QTest::newRow("Shape3") << "shape" << QRect(240, 7080, 6855, 1455);
        QTest::newRow("Label17") << "label" << QRect(480, 9000, 6375, 375);
        QTest::newRow("Label20") << "label" << QRect(720, 9480, 4935, 255);
        QTest::newRow("Label19") << "label" << QRect(5760, 9480, 855, 255);
        QTest::newRow("Label22") << "label" << QRect(720, 9840, 4575, 255);
        QTest::newRow("Label21") << "label" << QRect(5760, 9840, 855, 255);
        QTest::newRow("Shape5") << "shape" << QRect(240, 8760, 6855, 1455);
        QTest::newRow("Label13") << "label" << QRect(7320, 120, 7605, 570);
        QTest::newRow("Instructions") << "label" << QRect(7560, 1080, 7215, 8775);
        QTest::newRow("Shape2") << "shape" << QRect(7200, 720, 7935, 9495);
    }
    void everyControlAtItsDesignedPlace()
    {
        QFETCH(QString, kind);
        QFETCH(QRect, designed);
        QWidget *w = widget(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY2(w, "no control of this name on the client area");
        QCOMPARE(w->parentWidget(), &m_harness.window->surface());
        const bool ofItsKind = kind == "label"    ? qobject_cast<BorderedLabel *>(w) != nullptr
                               : kind == "button" ? qobject_cast<DesignButton *>(w) != nullptr
                                                  : qobject_cast<ShapeWidget *>(w) != nullptr;
        QVERIFY2(ofItsKind, qPrintable(kind));
        // Each edge to its nearest pixel.
        const auto pixels = [](int twipsValue) { return qRound(twipsValue / 15.0); };
        QCOMPARE(w->geometry(), QRect(QPoint(pixels(designed.left()), pixels(designed.top())),
                                      QPoint(pixels(designed.left() + designed.width()) - 1,
                                             pixels(designed.top() + designed.height()) - 1)));
    }

    void lineAsDesigned()
    {
        auto *line = qobject_cast<LineWidget *>(widget(QStringLiteral("Line1")));
        QVERIFY(line);
        // From (480, 1580) to (6840, 1560) twips, 2 pixels wide.
        QCOMPARE(line->from(), QPoint(32, 105));
        QCOMPARE(line->to(), QPoint(456, 104));
        QCOMPARE(line->penWidth(), 2);
    }

    // The controls as the window draws them: a pixel just inside a control's edge shows the
    // control's designed colour, the pixel just outside it what lies beside it.
    void edgesAsDrawn_data()
    {
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<QColor>("colour");
        const QColor panel(192, 192, 192);
        QTest::newRow("start button, left edge in") << QPoint(35, 190) << QColor(255, 192, 192);
        QTest::newRow("start button, left edge out") << QPoint(29, 190) << panel;
        QTest::newRow("start button, bottom edge in") << QPoint(200, 198) << QColor(255, 192, 192);
        QTest::newRow("start button, bottom edge out") << QPoint(200, 202) << panel;
        QTest::newRow("stopwatch box, inside") << QPoint(37, 162) << QColor(224, 224, 224);
        QTest::newRow("speech box, left edge in") << QPoint(171, 162) << QColor(0, 192, 192);
        QTest::newRow("cluttering box, left edge in") << QPoint(315, 162) << QColor(255, 224, 192);
        QTest::newRow("cluttering box, right edge out") << QPoint(460, 162) << panel;
        QTest::newRow("panel, below the boxes") << QPoint(200, 171) << panel;
    }
    void edgesAsDrawn()
    {
        QFETCH(QPoint, pixel);
        QFETCH(QColor, colour);
        const QImage shown = m_harness.window->surface().grab().toImage();
        QCOMPARE(QColor(shown.pixel(pixel)), colour);
    }

    void fontsResolveToInstalledFaces_data() { addRowPerControl(); }
    void fontsResolveToInstalledFaces()
    {
        QFETCH(QString, name);
        const ControlRow &design = row(name);
        if (design.kind == ControlKind::Shape || design.kind == ControlKind::Line)
            QSKIP("draws no text");
        QWidget *w = widget(name);
        const QFontInfo info(w->font());
        QVERIFY2(QFontDatabase::families().contains(info.family()), qPrintable(info.family()));
        // A substitute of the same kind: serif for Times New Roman, sans for the others.
        const bool serif = QLatin1String(design.font.face) == "Times New Roman";
        QCOMPARE(info.family().contains(QLatin1String("Serif")), serif);
        QCOMPARE(w->font().pointSizeF(), design.font.points);
        QCOMPARE(w->font().bold(),
                 design.font.bold || QLatin1String(design.font.face) == "Arial Black");
        QVERIFY(info.bold() == w->font().bold());
    }

    void coloursBordersAndAlignment_data() { addRowPerControl(); }
    void coloursBordersAndAlignment()
    {
        QFETCH(QString, name);
        const ControlRow &design = row(name);
        QWidget *w = widget(name);
        if (auto *shape = qobject_cast<ShapeWidget *>(w)) {
            QCOMPARE(shape->borderColour(), layout::colour(design.text, Qt::black));
            QCOMPARE(shape->fillColour(), layout::colour(design.back, Qt::white));
            QCOMPARE(shape->borderWidth(), design.penWidth);
            QVERIFY(shape->testAttribute(Qt::WA_TransparentForMouseEvents));
        } else if (auto *line = qobject_cast<LineWidget *>(w)) {
            QCOMPARE(line->colour(), QColor(0, 0, 0));
            QVERIFY(line->testAttribute(Qt::WA_TransparentForMouseEvents));
        } else if (auto *button = qobject_cast<DesignButton *>(w)) {
            if (design.back.role == ColourChoice::Role::Rgb)
                QCOMPARE(button->backColour(), layout::colour(design.back, {}));
        } else if (auto *label = qobject_cast<BorderedLabel *>(w)) {
            // The load leaves every text colour as designed.
            QCOMPARE(
                label->textColour(),
                layout::colour(design.text, layout::systemColour(ColourChoice::Role::ButtonText)));
            QCOMPARE(label->isTransparent(), design.back.role == ColourChoice::Role::Transparent);
            if (!label->isTransparent())
                QCOMPARE(label->backColour(),
                         layout::colour(design.back,
                                        layout::systemColour(ColourChoice::Role::ButtonFace)));
            QCOMPARE(label->borderStyle(), design.border);
            QCOMPARE(label->wordWrap(), design.wrap);
            const Qt::Alignment horizontal = label->alignment() & Qt::AlignHorizontal_Mask;
            switch (design.align) {
            case TextAlign::Left: QCOMPARE(horizontal, Qt::AlignLeft); break;
            case TextAlign::Right: QCOMPARE(horizontal, Qt::AlignRight); break;
            case TextAlign::Centre: QCOMPARE(horizontal, Qt::AlignHCenter); break;
            }
        }
    }

    void captionsAfterLoad_data() { addRowPerControl(); }
    void captionsAfterLoad()
    {
        QFETCH(QString, name);
        const ControlRow &design = row(name);
        // The load writes its placeholders into the five displays; every other caption is
        // the designed one, blanks included.
        static const QHash<QString, QString> placeholders{
            {"Label1", "time(s)"}, {"Clock", "time(s)"}, {"MarkedTime", "time(s)"},
            {"LeftNumber", "#"},   {"RightNumber", "#"},
        };
        const QString expected = placeholders.value(name, QString::fromUtf8(design.caption));
        if (auto *label = qobject_cast<QLabel *>(widget(name)))
            QCOMPARE(label->text(), expected);
        else if (auto *button = qobject_cast<QPushButton *>(widget(name)))
            QCOMPARE(button->text(), expected);
    }

    void instructionsText()
    {
        const QString text = QString::fromUtf8(form1layout::instructionsText());
        QCOMPARE(text.size(), 1816);
        QVERIFY(text.startsWith(QLatin1String("    This tool is a dual")));
        QVERIFY(text.endsWith(QLatin1String("close to the computer.")));
        QCOMPARE(text.indexOf(QLatin1String("  "), 3), -1); // no double blank after the indent
    }

    void visibilityAfterLoad_data() { addRowPerControl(); }
    void visibilityAfterLoad()
    {
        QFETCH(QString, name);
        static const QStringList hidden{
            "Command2",
            "Label18",
            "Shape4",
            "Label8",
            "Label10",
            "Label11",
            "Label12",
            "Label5",
            "Label6",
            "Label7",
            "Shape3",
            "Label16",
            "Label14",
            "Label15",
            "AvgSpeechInterval",
            "AvgClutteringInterval",
            "Shape5",
            "Label17",
            "Label20",
            "Label22",
            "Label19",
            "Label21",
        };
        QCOMPARE(hidden.size(), 22); // RESET and the 21 controls of the results panel
        QCOMPARE(widget(name)->isVisible(), !hidden.contains(name));
        QVERIFY(row(name).visible); // as designed, everything is visible
    }

    // Where two controls overlap, the lower row number is in front; buttons always are.
    void stackingOrderOfOverlappingControls()
    {
        const auto all = form1layout::rows();
        QWidget &surface = m_harness.window->surface();
        const QObjectList children = surface.children();
        auto depth = [&](const ControlRow &design) {
            return children.indexOf(surface.findChild<QWidget *>(design.name)); // later is nearer
        };
        int pairs = 0;
        for (const ControlRow &a : all) {
            for (const ControlRow &b : all) {
                if (a.order >= b.order)
                    continue;
                const QRect ra = widget(a.name)->geometry();
                const QRect rb = widget(b.name)->geometry();
                if (!ra.intersects(rb))
                    continue;
                ++pairs;
                const bool aInFront = depth(a) > depth(b);
                const bool expected =
                    b.kind != ControlKind::Button || a.kind == ControlKind::Button;
                QVERIFY2(aInFront == expected, qPrintable(QString("%1 / %2").arg(a.name, b.name)));
            }
        }
        QVERIFY(pairs > 40);
    }

    // What a press at a point meets: the front control that takes the mouse, or the client
    // area itself (nullptr) where only shapes and lines are.
    void controlAtPoint_data()
    {
        QTest::addColumn<QPoint>("twipsPoint");
        QTest::addColumn<QString>("expected");
        QTest::newRow("t mark over speech box") << QPoint(3600, 1720) << "Label24";
        QTest::newRow("# mark over cluttering box") << QPoint(5760, 2100) << "Label25";
        QTest::newRow("talking time over speech box") << QPoint(4000, 1800) << "Clock";
        QTest::newRow("stopwatch over its box") << QPoint(2000, 1800) << "Label1";
        QTest::newRow("line over speech box") << QPoint(3000, 1572) << "Label3";
        QTest::newRow("start button over panel") << QPoint(3000, 2800) << "Command1";
        QTest::newRow("panel margin (shape)") << QPoint(300, 2000) << "";
        QTest::newRow("instructions over its frame") << QPoint(9000, 5000) << "Instructions";
        QTest::newRow("instructions frame margin") << QPoint(7300, 5000) << "";
        QTest::newRow("instructions title") << QPoint(11000, 400) << "Label13";
        QTest::newRow("section title") << QPoint(2000, 400) << "Label27";
        QTest::newRow("results area while hidden") << QPoint(3000, 6000) << "";
        QTest::newRow("below everything") << QPoint(3000, 10400) << "";
    }
    void controlAtPoint()
    {
        QFETCH(QPoint, twipsPoint);
        QFETCH(QString, expected);
        QWidget *hit =
            m_harness.window->surface().childAt(twips::point(twipsPoint.x(), twipsPoint.y()));
        QCOMPARE(hit ? hit->objectName() : QString(), expected);
    }

    // Every caption the window can show fits its box: on one line where the design does not
    // wrap, within the box's height where it does.
    void captionsFitTheirBoxes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        for (const ControlRow &design : form1layout::rows()) {
            if (design.kind == ControlKind::Label || design.kind == ControlKind::Button)
                QTest::newRow(design.name)
                    << QString(design.name) << QString::fromUtf8(design.caption);
        }
        const QString start = QStringLiteral("Command1");
        QTest::newRow("start button running")
            << start << QStringLiteral("SPACE BAR (or MOUSE WHEEL) to STOP/PAUSE");
        QTest::newRow("start button paused")
            << start << QStringLiteral("SPACE BAR (or MOUSE WHEEL) to START");
        for (const char *display : {"Label1", "Clock", "MarkedTime"}) {
            QTest::newRow(qPrintable(QString("%1 long time").arg(display)))
                << QString(display) << QStringLiteral("6553.4");
            QTest::newRow(qPrintable(QString("%1 placeholder").arg(display)))
                << QString(display) << QStringLiteral("time(s)");
        }
        for (const char *value : {"Label5", "Label6", "Label7"})
            QTest::newRow(value) << QString(value) << QStringLiteral("100.0 %");
        for (const char *value :
             {"AvgSpeechInterval", "AvgClutteringInterval", "Label19", "Label21"})
            QTest::newRow(value) << QString(value) << QStringLiteral("300.00 ");
        QTest::newRow("n/a") << QStringLiteral("Label5") << QStringLiteral("  n/a ");
        QTest::newRow("count") << QStringLiteral("RightNumber") << QStringLiteral(" 32767");
    }
    void captionsFitTheirBoxes()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QWidget *w = widget(name);
        Form1View &view = m_harness.window->view();
        // Written the way the session writes it, then put back as it was.
        QString before;
        auto *label = qobject_cast<QLabel *>(w);
        if (const auto control = sessionControl(name); control && label) {
            before = label->text();
            view.setText(*control, text);
        } else if (name == "Command1") {
            before = qobject_cast<QPushButton *>(w)->text();
            qobject_cast<QPushButton *>(w)->setText(text);
        }
        const auto restore = qScopeGuard([&] {
            if (before.isNull())
                return;
            if (name == "Command1")
                qobject_cast<QPushButton *>(w)->setText(before);
            else
                view.setText(*sessionControl(name), before);
        });
        const QFontMetrics metrics(w->font());
        if (label) {
            const QRect box = label->contentsRect();
            if (label->wordWrap()) {
                const QRect needed = metrics.boundingRect(box, Qt::TextWordWrap, text);
                QVERIFY2(needed.height() <= box.height(),
                         qPrintable(QString("%1 > %2").arg(needed.height()).arg(box.height())));
            } else {
                QVERIFY2(
                    metrics.horizontalAdvance(text) <= box.width(),
                    qPrintable(
                        QString("%1 > %2").arg(metrics.horizontalAdvance(text)).arg(box.width())));
                // The letters stand inside the box (the tiny "t" mark may lose nothing but
                // the space below its baseline).
                QVERIFY(metrics.ascent() <= box.height());
            }
            QVERIFY(w->font().stretch() == QFont::AnyStretch || w->font().stretch() >= 80);
        } else {
            // A push button keeps a few pixels of frame on each side.
            QVERIFY2(metrics.horizontalAdvance(text) + 8 <= w->width(),
                     qPrintable(QString::number(metrics.horizontalAdvance(text))));
        }
    }

    void menuBar()
    {
        QMenuBar *bar = m_harness.window->menuBar();
        const QList<QAction *> top = bar->actions();
        QCOMPARE(top.size(), 4);
        QCOMPARE(top[0]->text(), QStringLiteral("&File"));
        QCOMPARE(top[0]->menu()->objectName(), QStringLiteral("MnuFilE"));
        QCOMPARE(top[1]->objectName(), QStringLiteral("MnuPerceptualRatings"));
        QCOMPARE(top[1]->text(), QStringLiteral("Perceptual ratings"));
        QVERIFY(!top[1]->menu()); // a command on the bar itself
        QCOMPARE(top[2]->objectName(), QStringLiteral("MnuTimeline"));
        QCOMPARE(top[2]->text(), QStringLiteral("&Timeline"));
        QVERIFY(!top[2]->menu());
        QCOMPARE(top[3]->text(), QStringLiteral("About"));
        QCOMPARE(top[3]->menu()->objectName(), QStringLiteral("MnuAbout"));

        const QList<QAction *> file = top[0]->menu()->actions();
        QCOMPARE(file.size(), 7);
        QCOMPARE(file[0]->objectName(), QStringLiteral("MnuFilPrint"));
        QCOMPARE(file[0]->text(), QStringLiteral("&Print"));
        QCOMPARE(file[1]->objectName(), QStringLiteral("MnuFilSavePdf"));
        QCOMPARE(file[1]->text(), QStringLiteral("&Save as PDF..."));
        QCOMPARE(file[2]->objectName(), QStringLiteral("MnuFilExport"));
        QCOMPARE(file[2]->text(), QStringLiteral("E&xport data..."));
        QCOMPARE(file[3]->objectName(), QStringLiteral("MnuFilExportTimeline"));
        QCOMPARE(file[3]->text(), QStringLiteral("Export &timeline..."));
        QCOMPARE(file[4]->objectName(), QStringLiteral("MnuFilOpenRecording"));
        QCOMPARE(file[4]->text(), QStringLiteral("&Open recording..."));
        QCOMPARE(file[5]->objectName(), QStringLiteral("MnuFilDash"));
        QVERIFY(file[5]->isSeparator());
        QCOMPARE(file[6]->objectName(), QStringLiteral("MnuFilExit"));
        QCOMPARE(file[6]->text(), QStringLiteral("&Exit"));

        const QList<QAction *> about = top[3]->menu()->actions();
        QCOMPARE(about.size(), 2);
        QCOMPARE(about[0]->objectName(), QStringLiteral("MnuAbtSpecifications"));
        QCOMPARE(about[0]->text(), QStringLiteral("&Specifications"));
        QCOMPARE(about[1]->objectName(), QStringLiteral("MnuAbtAbout"));
        QCOMPARE(about[1]->text(), QStringLiteral("&About"));

        for (QAction *action : file + about + top) {
            QVERIFY(action->isEnabled());
            QVERIFY(action->isVisible());
            QVERIFY(!action->isCheckable());
            QVERIFY(action->shortcut().isEmpty());
        }
    }
};

QTEST_MAIN(TestForm1Layout)
#include "test_form1_layout.moc"
