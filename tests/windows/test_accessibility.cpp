#include "Form1Harness.h"

#include "core/ratings/RatingFields.h"
#include "core/ratings/ScaleTable.h"
#include "widgets/delivery/ReportDelivery.h"
#include "widgets/kit/Twips.h"
#include "windows/main/Form1Surface.h"
#include "windows/ratings/CluttteringScalesForm.h"
#include "windows/ratings/RatingBar.h"

#include <QAccessible>
#include <QAccessibleTextInterface>
#include <QAccessibleValueInterface>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

// Both windows as a screen reader sees them, through QAccessible: what each value, result, bar
// and score is called together with what it shows, the events that announce a change, and the
// order in which a reader goes through the controls. Driven with real key and mouse events.
class TestAccessibility : public QObject {
    Q_OBJECT

    Form1Harness m_harness;
    RatingFields m_fields;
    ReportDelivery m_delivery;
    QPointer<CluttteringScalesForm> m_ratings;

    // Every accessibility event since the last clear(): the object and what happened.
    static QList<QPair<QObject *, QAccessible::Event>> &events()
    {
        static QList<QPair<QObject *, QAccessible::Event>> list;
        return list;
    }
    static void record(QAccessibleEvent *event)
    {
        events().append({event->object(), event->type()});
    }
    static QStringList changed(QAccessible::Event type)
    {
        QStringList names;
        for (const auto &[object, what] : events()) {
            if (what == type && object && !names.contains(object->objectName()))
                names.append(object->objectName());
        }
        names.sort();
        return names;
    }

    static QAccessibleInterface *reader(QObject *object)
    {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
        if (!iface)
            qFatal("no accessible interface for %s", qPrintable(object->objectName()));
        return iface;
    }
    QString name(const char *control) const
    {
        return reader(m_harness.control(control))->text(QAccessible::Name);
    }
    QWidget &surface() { return m_harness.window->surface(); }
    void space() { m_harness.strikeSpace(); }
    void press(Qt::MouseButton button) { QTest::mousePress(&surface(), button, {}, spot()); }
    void release(Qt::MouseButton button) { QTest::mouseRelease(&surface(), button, {}, spot()); }
    // A point of the background right of the panels, covered only while the instructions show.
    static QPoint spot() { return twips::point(10000, 5000); }

    // The worked session: 50 ticks, three speaking intervals of 10 ticks, two cluttering
    // intervals of 5 ticks inside them, then a pause.
    void workedSession()
    {
        space();
        press(Qt::LeftButton);
        m_harness.tick(5);
        press(Qt::RightButton);
        m_harness.tick(5);
        release(Qt::RightButton);
        release(Qt::LeftButton);
        m_harness.tick(5);
        press(Qt::LeftButton);
        press(Qt::RightButton);
        m_harness.tick(5);
        release(Qt::RightButton);
        m_harness.tick(5);
        release(Qt::LeftButton);
        m_harness.tick(5);
        press(Qt::LeftButton);
        m_harness.tick(10);
        release(Qt::LeftButton);
        m_harness.tick(10);
        space();
    }

    // The names of a container's children, in the order a reader is given them, after checking
    // that the reader's list holds every child once and agrees with the child's index.
    static QStringList readingOrder(QWidget *container)
    {
        QAccessibleInterface *iface = reader(container);
        QStringList names;
        for (int i = 0; i < iface->childCount(); ++i) {
            QAccessibleInterface *child = iface->child(i);
            if (!child || iface->indexOfChild(child) != i)
                return {QStringLiteral("<child %1 out of place>").arg(i)};
            names.append(child->object()->objectName());
        }
        int widgets = 0;
        for (QObject *o : container->children())
            widgets += o->isWidgetType() && !static_cast<QWidget *>(o)->isWindow();
        if (names.size() != widgets)
            return {QStringLiteral("<%1 of %2 children>").arg(names.size()).arg(widgets)};
        return names;
    }
    static bool inOrder(const QStringList &order, const QStringList &expected)
    {
        qsizetype at = -1;
        for (const QString &name : expected) {
            const qsizetype next = order.indexOf(name);
            if (next <= at) {
                qWarning() << name << "out of order in" << order;
                return false;
            }
            at = next;
        }
        return true;
    }

    CluttteringScalesForm *ratings()
    {
        if (!m_ratings) {
            m_ratings = CluttteringScalesForm::open(m_fields, m_delivery);
            m_ratings->setWindowState(Qt::WindowNoState);
            m_ratings->resize(1100, 820);
            if (!QTest::qWaitForWindowExposed(m_ratings))
                qWarning("rating window not exposed");
        }
        return m_ratings;
    }
    RatingBar *bar(const char *name) { return ratings()->findChild<RatingBar *>(name); }
    QAccessibleInterface *ratingControl(const QString &name)
    {
        return reader(ratings()->findChild<QWidget *>(name));
    }
    static void pressBar(RatingBar *target, int x)
    {
        const QPoint area = target->drawingArea().topLeft();
        QTest::mouseClick(target, Qt::LeftButton, {}, area + QPoint(x, 10));
    }

private slots:
    void initTestCase()
    {
        Form1Harness::setUpApplication();
        QAccessible::installUpdateHandler(record);
        // Offscreen, no screen reader bridge switches accessibility on; do what a bridge does
        // when a reader starts, so that the events reach the handler.
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        QVERIFY(QAccessible::isActive());
    }
    void init()
    {
        m_harness.open();
        events().clear();
    }
    void cleanup()
    {
        m_harness.window.reset();
        delete m_ratings;
    }

    void valuesAndResultsAreReadWithWhatTheyAre_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("heard");
        const std::pair<const char *, const char *> rows[] = {
            {"Label1", "Sample duration in seconds: 10"},
            {"Clock", "Talking time in seconds: 6"},
            {"MarkedTime", "Cluttering time in seconds: 2"},
            {"LeftNumber", "Number of speaking intervals: 3"},
            {"RightNumber", "Number of cluttering intervals: 2"},
            {"Label5", "Percentage of sample duration spoken: 60.0 %"},
            {"Label6", "Percentage of sample duration cluttered: 20.0 %"},
            {"Label7", "Percentage of talking time cluttered: 33.3 %"},
            {"AvgSpeechInterval", "Mean speaking interval in seconds: 2.00"},
            {"AvgClutteringInterval", "Mean cluttering interval in seconds: 1.00"},
            {"Label19", "Cluttering intervals per minute of sample duration: 12.00"},
            {"Label21", "Cluttering intervals per minute of talking time: 20.00"},
            {"Command1", "SPACE BAR (or MOUSE WHEEL) to START"},
            {"Label10", "% sample duration spoken :"},
        };
        for (const auto &[control, heard] : rows)
            QTest::newRow(control) << QString::fromLatin1(control) << QString::fromLatin1(heard);
    }
    void valuesAndResultsAreReadWithWhatTheyAre()
    {
        QFETCH(QString, control);
        QFETCH(QString, heard);
        workedSession();
        QCOMPARE(name(qPrintable(control)), heard);
        // The text interface gives exactly what the control shows.
        if (auto *label = qobject_cast<QLabel *>(m_harness.control(qPrintable(control)))) {
            QAccessibleTextInterface *text = reader(label)->textInterface();
            QVERIFY(text);
            QCOMPARE(text->text(0, text->characterCount()), label->text());
        }
    }

    void instructionsAreReadable()
    {
        QAccessibleInterface *iface = reader(m_harness.control("Instructions"));
        QVERIFY(
            iface->text(QAccessible::Name).startsWith(QLatin1String("Instructions: This tool")));
        QAccessibleTextInterface *text = iface->textInterface();
        QVERIFY(text);
        QCOMPARE(text->characterCount(), 1816);
        QVERIFY(text->text(0, -1).endsWith(QLatin1String("close to the computer.")));
    }

    void startButtonIsNamedByItsCaption()
    {
        QCOMPARE(name("Command1"), QStringLiteral("SPACE BAR (or MOUSE WHEEL)   to  START"));
        space();
        QCOMPARE(name("Command1"), QStringLiteral("SPACE BAR (or MOUSE WHEEL) to STOP/PAUSE"));
        space();
        QCOMPARE(name("Command1"), QStringLiteral("SPACE BAR (or MOUSE WHEEL) to START"));
    }

    // Which controls announce a new name at each step of a recording. Steps are written as
    // keys and buttons: S the SPACE bar, T a tick, L/l left press/release, R/r right.
    void play(const QString &steps)
    {
        for (const QChar step : steps) {
            switch (step.toLatin1()) {
            case 'S': space(); break;
            case 'T': m_harness.tick(); break;
            case 'L': press(Qt::LeftButton); break;
            case 'l': release(Qt::LeftButton); break;
            case 'R': press(Qt::RightButton); break;
            case 'r': release(Qt::RightButton); break;
            default: QFAIL("unknown step");
            }
        }
    }
    void changesAreAnnounced_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QStringList>("announced");
        QTest::newRow("start") << ""
                               << "S" << QStringList{"Command1", "LeftNumber", "RightNumber"};
        QTest::newRow("tick") << "S"
                              << "T" << QStringList{"Label1"};
        QTest::newRow("tick while speaking") << "S"
                                             << "LT" << QStringList{"Clock", "Label1"};
        QTest::newRow("release") << "SLT"
                                 << "l" << QStringList{"LeftNumber"};
        QTest::newRow("tick while cluttering")
            << "SR"
            << "T" << QStringList{"Clock", "Label1", "MarkedTime"};
        QTest::newRow("pause") << "SLT"
                               << "S"
                               << QStringList{"AvgClutteringInterval",
                                              "AvgSpeechInterval",
                                              "Command1",
                                              "Label19",
                                              "Label21",
                                              "Label5",
                                              "Label6",
                                              "Label7"};
    }
    void changesAreAnnounced()
    {
        QFETCH(QString, before);
        QFETCH(QString, step);
        QFETCH(QStringList, announced);
        play(before);
        events().clear();
        play(step);
        QCOMPARE(changed(QAccessible::NameChanged), announced);
    }

    // At a pause the results and RESET are shown, and the focused start button takes a new
    // caption: each reaches a reader as a new object, the button announced as the focus.
    void shownControlsAndANewCaptionReachAReaderAnew()
    {
        const auto id = [this](const char *control) {
            return QAccessible::uniqueId(reader(m_harness.control(control)));
        };
        space();
        const QAccessible::Id result = id("Label5");
        const QAccessible::Id button = id("Command1");
        const QAccessible::Id reset = id("Command2");
        events().clear();
        space();
        QVERIFY(id("Label5") != result);
        QVERIFY(id("Command2") != reset);
        QVERIFY(!reader(m_harness.control("Label5"))->state().invisible);
        QVERIFY(id("Command1") != button);
        QVERIFY(reader(m_harness.control("Command1"))->state().focused);
        QCOMPARE(changed(QAccessible::Focus), QStringList{"Command1"});
    }

    void mainWindowReadsTopDown()
    {
        QVERIFY(inOrder(readingOrder(m_harness.window.get()), {"Form1MenuBar", "Form1ClientArea"}));
        const QStringList order = readingOrder(&surface());
        QVERIFY(inOrder(order, {"Label27",
                                "Label2",
                                "Label1",
                                "Label3",
                                "Clock",
                                "LeftNumber",
                                "Label4",
                                "MarkedTime",
                                "RightNumber",
                                "Command1",
                                "Label18",
                                "Label8",
                                "Label10",
                                "Label5",
                                "Label11",
                                "Label6",
                                "Label12",
                                "Label7",
                                "Label16",
                                "Label14",
                                "AvgSpeechInterval",
                                "Label15",
                                "AvgClutteringInterval",
                                "Label17",
                                "Label20",
                                "Label19",
                                "Label22",
                                "Label21",
                                "Label13",
                                "Instructions"}));
    }

    void barsAndScoresAreReadWithTheirFeature_data()
    {
        QTest::addColumn<int>("scale");
        for (const ScaleRow &row : ScaleTable::rows())
            QTest::newRow(row.barName) << int(&row - ScaleTable::rows().data());
    }
    void barsAndScoresAreReadWithTheirFeature()
    {
        QFETCH(int, scale);
        const ScaleRow &row = ScaleTable::rows()[scale];
        const QString feature = QString::fromLatin1(row.reportLabel);
        QAccessibleInterface *barReader = ratingControl(QString::fromLatin1(row.barName));
        QCOMPARE(barReader->text(QAccessible::Name), feature);
        QVERIFY(barReader->state().readOnly);
        QAccessibleValueInterface *value = barReader->valueInterface();
        QVERIFY(value);
        QVERIFY(!value->currentValue().isValid()); // not rated: no value
        QCOMPARE(barReader->text(QAccessible::Description), QStringLiteral("not rated"));
        QCOMPARE(value->minimumValue().toDouble(), 0.0);
        QCOMPARE(value->maximumValue().toDouble(), 100.0);
        QCOMPARE(value->minimumStepSize().toDouble(), 0.1);
        const QString placeholder = QString::fromLatin1(row.scorePlaceholder).trimmed();
        QCOMPARE(ratingControl(QString::fromLatin1(row.scoreName))->text(QAccessible::Name),
                 feature + QStringLiteral(", 0 to 100: ") + placeholder);
        QCOMPARE(ratingControl(QString::fromLatin1(row.nineName))->text(QAccessible::Name),
                 feature + QStringLiteral(", 1 to 9: None"));

        events().clear();
        pressBar(bar(row.barName), 389);
        QCOMPARE(value->currentValue().toDouble(), 50.0);
        QCOMPARE(barReader->text(QAccessible::Description), QStringLiteral("1 to 9: 5.0"));
        QVERIFY(changed(QAccessible::ValueChanged).contains(QLatin1String(row.barName)));
        QCOMPARE(ratingControl(QString::fromLatin1(row.scoreName))->text(QAccessible::Name),
                 feature + QStringLiteral(", 0 to 100: 50.0 %"));
        QCOMPARE(ratingControl(QString::fromLatin1(row.nineName))->text(QAccessible::Name),
                 feature + QStringLiteral(", 1 to 9: 5.0"));
        QCOMPARE(changed(QAccessible::NameChanged), (QStringList{row.nineName, row.scoreName}));
    }

    // Neither a reader nor a key can move a rating.
    void barValueIsReadOnly()
    {
        RatingBar *speakingRate = bar("SpeakingRateScale");
        pressBar(speakingRate, 700);
        ratings()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(ratings()));
        speakingRate->setFocus();
        QAccessibleValueInterface *value = reader(speakingRate)->valueInterface();
        value->setCurrentValue(100.0);
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End, Qt::Key_Up,
                            Qt::Key_PageDown, Qt::Key_Space, Qt::Key_Return, Qt::Key_Plus})
            QTest::keyClick(speakingRate, key);
        QCOMPARE(value->currentValue().toDouble(), 90.0);
        QCOMPARE(m_fields.ratingSpeakingRate, 700.0f);
    }

    void ratingInstructionIsReadable()
    {
        QAccessibleTextInterface *text = ratingControl(QStringLiteral("Label1"))->textInterface();
        QVERIFY(text);
        QCOMPARE(text->characterCount(), 705);
    }

    void ratingWindowReadsTopDown()
    {
        QCOMPARE(reader(ratings())->child(0)->role(), QAccessible::MenuBar);
        QCOMPARE(readingOrder(ratings()).last(), QStringLiteral("ClientArea"));
        const QStringList order = readingOrder(ratings()->findChild<QWidget *>("ClientArea"));
        QStringList expected{"Frame1"};
        for (const ScaleRow &row : ScaleTable::rows())
            expected << row.leftAnchor.name << row.titleLabel.name << row.rightAnchor.name
                     << row.barName << row.scoreName << row.nineName;
        QVERIFY2(inOrder(order, expected), qPrintable(order.join(' ')));
        QVERIFY(inOrder(order, {"Label3", "SpeakingRateScore"}));
        QVERIFY(inOrder(order, {"Label2", "SpeakingRate9"}));
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
