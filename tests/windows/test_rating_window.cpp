#include "core/ratings/RatingFields.h"
#include "core/ratings/ScaleTable.h"
#include "core/reports/RatingsReport.h"
#include "core/reports/ReportLayout.h"
#include "widgets/delivery/ReportDelivery.h"
#include "widgets/kit/CaptionFit.h"
#include "widgets/kit/ClassicLook.h"
#include "widgets/kit/FontSubstitutes.h"
#include "widgets/kit/LayoutBuilder.h"
#include "widgets/kit/Twips.h"
#include "windows/ratings/CluttteringScalesForm.h"
#include "windows/ratings/RatingBar.h"
#include "windows/ratings/RatingsLayout.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>

// The rating window driven by real mouse, key and menu events, offscreen: marks checked on the
// bar's own rendering, texts, Hide and Show, closing and reopening, and the live layout against
// the design table.
class TestRatingWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void freshWindow();
    void pressAtEitherEnd_data();
    void pressAtEitherEnd();
    void pressOnTheEdgeIsIgnored();
    void secondPressMovesTheMark();
    void markSurvivesRepaint();
    void dragDoesNothing();
    void hidePressShow();
    void closeAndReopen_data();
    void closeAndReopen();
    void keysOnlyMoveTheFocus();
    void layoutMatchesLiveWindow();
    void designedGeometry();
    void menuCaptions();
    void markIsCrispOnDenseScreens();

private:
    CluttteringScalesForm *openWindow();
    RatingBar *bar(const char *name) const;
    QString text(const char *name) const;
    static void press(RatingBar *bar, int x, Qt::MouseButton button = Qt::LeftButton,
                      Qt::KeyboardModifiers modifiers = {});
    static void trigger(QWidget *window, const char *action);
    static QList<int> markColumns(RatingBar *bar);

    RatingFields m_fields;
    ReportDelivery m_delivery;
    QPointer<CluttteringScalesForm> m_window;
};

namespace {

const QRgb white = qRgb(255, 255, 255);
const QRgb lightRed = qRgb(255, 128, 128);
constexpr int edge = 2;

void closeAndDelete(QWidget *window)
{
    QPointer<QWidget> guard(window);
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(guard.isNull());
}

// The columns of the drawing area that carry the mark, after checking every pixel of the area is
// either background or mark and that a marked column is marked from top to bottom.
QList<int> columnsIn(const QImage &image, int scale)
{
    QList<int> columns;
    for (int x = 0; x < 779 * scale; ++x) {
        const QRgb top = image.pixel(edge * scale + x, edge * scale) & 0xffffff;
        if (top != (white & 0xffffff) && top != (lightRed & 0xffffff))
            return {-1};
        for (int y = 0; y < 21 * scale; ++y) {
            if ((image.pixel(edge * scale + x, edge * scale + y) & 0xffffff) != top)
                return {-2};
        }
        if (top == (lightRed & 0xffffff))
            columns << x;
    }
    return columns;
}

// Whole columns first to last, as far as they lie inside a drawing area of `width` columns.
QList<int> range(int first, int last, int width = 779)
{
    QList<int> columns;
    for (int x = std::max(first, 0); x <= std::min(last, width - 1); ++x)
        columns << x;
    return columns;
}

} // namespace

void TestRatingWindow::initTestCase()
{
    classiclook::apply();
    fonts::registerSubstitutes();
}

void TestRatingWindow::cleanup()
{
    if (m_window)
        closeAndDelete(m_window);
    m_fields = RatingFields{};
}

CluttteringScalesForm *TestRatingWindow::openWindow()
{
    m_window = CluttteringScalesForm::open(m_fields, m_delivery);
    if (!QTest::qWaitForWindowExposed(m_window))
        qWarning("window not exposed");
    return m_window;
}

RatingBar *TestRatingWindow::bar(const char *name) const
{
    return m_window->findChild<RatingBar *>(name);
}

QString TestRatingWindow::text(const char *name) const
{
    return m_window->findChild<QLabel *>(name)->text();
}

void TestRatingWindow::press(RatingBar *bar, int x, Qt::MouseButton button,
                             Qt::KeyboardModifiers modifiers)
{
    QTest::mouseClick(bar, button, modifiers, QPoint(edge + x, edge + 10));
}

void TestRatingWindow::trigger(QWidget *window, const char *action)
{
    auto *item = window->findChild<QAction *>(action);
    QVERIFY(item);
    item->trigger();
}

QList<int> TestRatingWindow::markColumns(RatingBar *bar)
{
    return columnsIn(bar->grab().toImage(), 1);
}

void TestRatingWindow::freshWindow()
{
    CluttteringScalesForm *window = openWindow();
    QCOMPARE(window->objectName(), QStringLiteral("CluttteringScalesForm"));
    QCOMPARE(window->windowTitle(), QStringLiteral("VISUAL ANALOG SCALE scoring system"));
    QVERIFY(window->windowState().testFlag(Qt::WindowMaximized));
    QVERIFY(window->testAttribute(Qt::WA_DeleteOnClose));
    QCOMPARE(window->centralWidget()->palette().color(QPalette::Window), QColor(192, 255, 255));
    for (const ScaleRow &row : ScaleTable::rows()) {
        const bool thought = QByteArray(row.barName) == "ThoughtOrganizationScale";
        QCOMPARE(text(row.scoreName), thought ? QStringLiteral(" Note") : QStringLiteral(" None"));
        QCOMPARE(text(row.nineName), QStringLiteral(" None"));
        QCOMPARE(markColumns(bar(row.barName)), QList<int>{});
        QCOMPARE(bar(row.barName)->cursor().shape(), Qt::SizeVerCursor);
    }
    for (const QString &name : ratingslayout::numberControls())
        QVERIFY(window->findChild<QWidget *>(name)->isVisible());
}

void TestRatingWindow::pressAtEitherEnd_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("x");
    QTest::addColumn<QString>("percent");
    QTest::addColumn<QString>("nine");
    const std::pair<const char *, Qt::MouseButton> buttons[] = {
        {"left", Qt::LeftButton}, {"right", Qt::RightButton}, {"middle", Qt::MiddleButton}};
    for (const auto &[name, button] : buttons) {
        QTest::addRow("%s at X 0", name) << button << Qt::KeyboardModifiers{} << 0 << ".0 %"
                                         << "1.0";
        QTest::addRow("%s at X 778", name) << button << Qt::KeyboardModifiers{} << 778 << "100.0 %"
                                           << "9.0";
    }
    QTest::newRow("shift ctrl alt")
        << Qt::LeftButton << (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier) << 389
        << "50.0 %"
        << "5.0";
}

void TestRatingWindow::pressAtEitherEnd()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, x);
    QFETCH(QString, percent);
    QFETCH(QString, nine);
    openWindow();
    m_fields.ratingNaturalness = 500; // a rating held from an earlier opening
    press(bar("NaturalnessScale"), x, button, modifiers);
    QCOMPARE(m_fields.ratingNaturalness, static_cast<float>(x));
    QVERIFY(m_fields.ratedNaturalness);
    QCOMPARE(text("NaturalnessScore"), percent);
    QCOMPARE(text("Naturalness9"), nine);
    QCOMPARE(markColumns(bar("NaturalnessScale")), range(x - 1, x + 1));
    QCOMPARE(markColumns(bar("SpeakingRateScale")), QList<int>{});
    QCOMPARE(text("SpeakingRateScore"), QStringLiteral(" None"));
}

void TestRatingWindow::pressOnTheEdgeIsIgnored()
{
    openWindow();
    RatingBar *naturalness = bar("NaturalnessScale");
    QTest::mouseClick(naturalness, Qt::LeftButton, {}, QPoint(1, 10));          // left edge
    QTest::mouseClick(naturalness, Qt::LeftButton, {}, QPoint(edge + 779, 10)); // right edge
    QTest::mouseClick(naturalness, Qt::LeftButton, {}, QPoint(300, 23));        // bottom edge
    QVERIFY(!m_fields.ratedNaturalness);
    QCOMPARE(text("NaturalnessScore"), QStringLiteral(" None"));
    QCOMPARE(markColumns(naturalness), QList<int>{});
}

void TestRatingWindow::secondPressMovesTheMark()
{
    openWindow();
    press(bar("DisfluencyScale"), 600);
    press(bar("RateRegularityScale"), 100);
    press(bar("RateRegularityScale"), 101, Qt::RightButton); // overlapping the first mark
    QCOMPARE(markColumns(bar("RateRegularityScale")), range(100, 102));
    press(bar("RateRegularityScale"), 400);
    QCOMPARE(markColumns(bar("RateRegularityScale")), range(399, 401));
    press(bar("RateRegularityScale"), 400); // the same place again leaves it in place
    QCOMPARE(markColumns(bar("RateRegularityScale")), range(399, 401));
    QCOMPARE(markColumns(bar("DisfluencyScale")), range(599, 601));
    QCOMPARE(m_fields.ratingRateRegularity, 400.0f);
    QCOMPARE(m_fields.ratingDisfluency, 600.0f);
}

void TestRatingWindow::markSurvivesRepaint()
{
    CluttteringScalesForm *window = openWindow();
    press(bar("LanguageCoherenceScale"), 250);
    bar("LanguageCoherenceScale")->repaint();
    window->hide();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(markColumns(bar("LanguageCoherenceScale")), range(249, 251));
}

void TestRatingWindow::dragDoesNothing()
{
    openWindow();
    RatingBar *speaking = bar("SpeakingRateScale");
    QTest::mousePress(speaking, Qt::LeftButton, {}, QPoint(edge + 100, 10));
    QTest::mouseMove(speaking, QPoint(edge + 500, 12));
    QTest::mouseRelease(speaking, Qt::LeftButton, {}, QPoint(edge + 500, 12));
    QCOMPARE(m_fields.ratingSpeakingRate, 100.0f);
    QCOMPARE(markColumns(speaking), range(99, 101));
}

void TestRatingWindow::hidePressShow()
{
    CluttteringScalesForm *window = openWindow();
    trigger(window, "MnuHideNumbersHide");
    trigger(window, "MnuHideNumbersHide"); // twice changes nothing
    const QStringList numbers = ratingslayout::numberControls();
    QCOMPARE(numbers.size(), 20);
    for (QWidget *control : window->centralWidget()->findChildren<QWidget *>()) {
        const bool isNumber = numbers.contains(control->objectName());
        QVERIFY2(control->isVisible() != isNumber, qPrintable(control->objectName()));
    }
    press(bar("ThoughtOrganizationScale"), 389);
    trigger(window, "MnuHideNumbersShow");
    for (const QString &name : numbers)
        QVERIFY(window->findChild<QWidget *>(name)->isVisible());
    QCOMPARE(text("ThoughtOrganizationScore"), QStringLiteral("50.0 %"));
    QCOMPARE(text("ThoughtOrganization9"), QStringLiteral("5.0"));
    QCOMPARE(markColumns(bar("ThoughtOrganizationScale")), range(388, 390));
}

void TestRatingWindow::closeAndReopen_data()
{
    QTest::addColumn<bool>("byMenu");
    QTest::newRow("Return to Main Screen") << true;
    QTest::newRow("close box") << false;
}

void TestRatingWindow::closeAndReopen()
{
    QFETCH(bool, byMenu);
    CluttteringScalesForm *window = openWindow();
    press(bar("PragmaticLanguageAppropriatenessScale"), 700);
    press(bar("SyllableProductionIntegrityScale"), 5);
    press(bar("SpeakingRateScale"), 0);
    trigger(window, "MnuHideNumbersHide");
    if (byMenu) {
        trigger(window, "MnuFilExit");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m_window.isNull());
    } else {
        closeAndDelete(window);
    }
    QCOMPARE(m_fields.ratingPragmaticLanguageAppropriateness, 700.0f);
    QCOMPARE(m_fields.ratingSyllableProductionIntegrity, 5.0f);

    // The reopened window shows the three kept ratings as the report prints them; the numbers
    // are shown again, and the scales never rated keep their placeholders.
    window = openWindow();
    const QStringList report = reportlayout::asText(RatingsReport::build(m_fields));
    const QHash<QByteArray, QList<int>> marks{
        {"PragmaticLanguageAppropriatenessScale", range(699, 701)},
        {"SyllableProductionIntegrityScale", range(4, 6)},
        {"SpeakingRateScale", range(-1, 1)}};
    for (const ScaleRow &row : ScaleTable::rows()) {
        const bool rated = marks.contains(row.barName);
        QCOMPARE(markColumns(bar(row.barName)), marks.value(row.barName));
        const QString printed = report.filter(QString::fromUtf8(row.reportLabel)).value(0);
        QCOMPARE(printed.mid(49, 15).trimmed() == text(row.scoreName).trimmed(), rated);
        QCOMPARE(printed.mid(64).trimmed() == text(row.nineName).trimmed(), rated);
    }
    QCOMPARE(text("PragmaticLanguageAppropriatenessScore"), QStringLiteral("90.0 %"));
    QCOMPARE(text("PragmaticLanguageAppropriateness9"), QStringLiteral("8.2"));
    QCOMPARE(text("SpeakingRateScore"), QStringLiteral(".0 %"));
    QCOMPARE(text("RateRegularityScore"), QStringLiteral(" None"));
    QCOMPARE(text("ThoughtOrganizationScore"), QStringLiteral(" Note"));
    for (const QString &name : ratingslayout::numberControls())
        QVERIFY(window->findChild<QWidget *>(name)->isVisible());
    // The next press moves the kept mark as any press does.
    press(bar("PragmaticLanguageAppropriatenessScale"), 20);
    QCOMPARE(markColumns(bar("PragmaticLanguageAppropriatenessScale")), range(19, 21));
    QCOMPARE(text("PragmaticLanguageAppropriateness9"), QStringLiteral("1.2"));
}

void TestRatingWindow::keysOnlyMoveTheFocus()
{
    CluttteringScalesForm *window = openWindow();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    const QStringList order{"SpeakingRateScale",
                            "RateRegularityScale",
                            "SyllableProductionIntegrityScale",
                            "OverallArticulationAccuracyScale",
                            "NaturalnessScale",
                            "LanguageCoherenceScale",
                            "PragmaticLanguageAppropriatenessScale",
                            "DisfluencyScale",
                            "ThoughtOrganizationScale",
                            "SpeakingRateScale"};
    QCOMPARE(QApplication::focusWidget()->objectName(), order.first());
    for (qsizetype i = 1; i < order.size(); ++i) {
        QWidget *focused = QApplication::focusWidget();
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Right, Qt::Key_Home})
            QTest::keyClick(focused, key);
        QTest::keyClick(focused, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), order[i]);
    }
    for (const ScaleRow &row : ScaleTable::rows())
        QVERIFY(!(m_fields.*row.rated));
}

void TestRatingWindow::layoutMatchesLiveWindow()
{
    CluttteringScalesForm *window = openWindow();
    const QStringList installed = QFontDatabase::families();
    auto check = [&](const ControlRow &row, QWidget *parent) {
        auto *widget = window->findChild<QWidget *>(QString::fromLatin1(row.name));
        QVERIFY2(widget, row.name);
        QCOMPARE(widget->parentWidget(), parent);
        QCOMPARE(widget->geometry(), twips::rect(row.left, row.top, row.width, row.height));
        const QFontInfo resolved(widget->font());
        QVERIFY2(installed.contains(resolved.family()), qPrintable(resolved.family()));
        QCOMPARE(resolved.bold(), row.font.bold);
        QCOMPARE(widget->font().pointSizeF(), row.font.points);
        QCOMPARE(widget->font().underline(), row.font.underline);
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            if (QByteArray(row.caption) != " ") // score boxes carry their load texts
                QCOMPARE(label->text(), QString::fromUtf8(row.caption));
            // Nothing of a caption is lost to a substitute face that runs wider than the design.
            QVERIFY2(captionfit::fits(label->font(), label->text(), label->contentsRect().size()),
                     row.name);
            QVERIFY(label->font().stretch() == QFont::AnyStretch ||
                    label->font().stretch() >= captionfit::minStretch);
            QCOMPARE(label->palette().color(QPalette::WindowText),
                     layout::colour(row.text, QColor()));
            QCOMPARE(label->palette().color(QPalette::Window), layout::colour(row.back, QColor()));
        }
    };
    QWidget *client = window->centralWidget();
    check(ratingslayout::frame(), client);
    auto *frame = window->findChild<QGroupBox *>("Frame1");
    QCOMPARE(frame->title(), QStringLiteral("Instruction:"));
    for (const ControlRow &row : ratingslayout::frameControls())
        check(row, frame);
    for (const ControlRow &row : ratingslayout::controls())
        check(row, client);
    for (const BarRow &design : ratingslayout::bars()) {
        RatingBar *live = bar(design.name);
        QVERIFY2(live, design.name);
        QCOMPARE(live->geometry(),
                 twips::rect(design.left, design.top, design.width, design.height));
        QCOMPARE(live->drawingArea(), QRect(edge, edge, 779, 21));
    }
    // 9 scales x 5 labels + 2 column titles, 9 bars, the frame and its label: nothing else.
    QCOMPARE(client->findChildren<QWidget *>().size(), 47 + 9 + 2);
}

void TestRatingWindow::designedGeometry()
{
    // A few figures of the design written out, so a slip in the shared tables shows up here.
    CluttteringScalesForm *window = openWindow();
    auto geometry = [&](const char *name) {
        return window->findChild<QWidget *>(name)->geometry();
    };
    QCOMPARE(geometry("SpeakingRateScale"), QRect(16, 184, 783, 25));
    QCOMPARE(geometry("ThoughtOrganizationScale"), QRect(16, 648, 783, 25));
    QCOMPARE(geometry("PragmaticLanguageAppropriatenessScore"), QRect(824, 528, 81, 25));
    QCOMPARE(geometry("LanguageCoherence9").right() + 1, 15015 / 15);
    QCOMPARE(geometry("Label27").height(), 25); // "Very Fast" is taller than the other anchors
    QCOMPARE(geometry("Label1"), QRect(8, 24, 961, 97));
    const QString instruction = window->findChild<QLabel *>("Label1")->text();
    QCOMPARE(instruction.size(), 705);
    QVERIFY(instruction.startsWith(QLatin1String("     With this tool")));
    QVERIFY(instruction.endsWith(QLatin1String("under File/Print.")));
    // The widest score texts fit their boxes.
    auto *score = window->findChild<QLabel *>("SpeakingRateScore");
    auto *nine = window->findChild<QLabel *>("SpeakingRate9");
    QVERIFY(
        captionfit::fits(score->font(), QStringLiteral("100.0 %"), score->contentsRect().size()));
    QVERIFY(captionfit::fits(nine->font(), QStringLiteral("9.0"), nine->contentsRect().size()));
}

void TestRatingWindow::menuCaptions()
{
    CluttteringScalesForm *window = openWindow();
    auto *file = window->findChild<QMenu *>("MnuFilE");
    auto *numbers = window->findChild<QMenu *>("MnuHideNumbers");
    QVERIFY(file && numbers);
    const QList<QAction *> entries = window->menuBar()->actions();
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries[0]->menu(), file);
    QCOMPARE(entries[1]->menu(), numbers);
    QCOMPARE(file->title(), QStringLiteral("File"));
    QCOMPARE(numbers->title(), QStringLiteral("Numerical results visible?"));
    const QList<QAction *> fileItems = file->actions();
    QCOMPARE(fileItems.size(), 5);
    QCOMPARE(fileItems[0]->objectName(), QStringLiteral("MnuHardCopy"));
    QCOMPARE(fileItems[0]->text(), QStringLiteral("&Print"));
    QCOMPARE(fileItems[1]->objectName(), QStringLiteral("MnuFilSavePdf"));
    QCOMPARE(fileItems[1]->text(), QStringLiteral("&Save as PDF..."));
    QCOMPARE(fileItems[2]->objectName(), QStringLiteral("MnuFilExport"));
    QCOMPARE(fileItems[2]->text(), QStringLiteral("E&xport data..."));
    QCOMPARE(fileItems[3]->objectName(), QStringLiteral("MnuFilDash"));
    QVERIFY(fileItems[3]->isSeparator());
    QCOMPARE(fileItems[4]->objectName(), QStringLiteral("MnuFilExit"));
    QCOMPARE(fileItems[4]->text(), QStringLiteral("&Return to Main Screen"));
    const QList<QAction *> numberItems = numbers->actions();
    QCOMPARE(numberItems.size(), 2);
    QCOMPARE(numberItems[0]->objectName(), QStringLiteral("MnuHideNumbersHide"));
    QCOMPARE(numberItems[0]->text(), QStringLiteral("Hide"));
    QCOMPARE(numberItems[1]->objectName(), QStringLiteral("MnuHideNumbersShow"));
    QCOMPARE(numberItems[1]->text(), QStringLiteral("Show"));
    for (QAction *item : fileItems + numberItems) {
        QVERIFY(item->isEnabled() && item->isVisible() && !item->isCheckable());
        QVERIFY(item->shortcut().isEmpty());
    }
}

void TestRatingWindow::markIsCrispOnDenseScreens()
{
    openWindow();
    RatingBar *naturalness = bar("NaturalnessScale");
    press(naturalness, 300);
    QImage image(naturalness->size() * 2, QImage::Format_RGB32);
    image.setDevicePixelRatio(2);
    image.fill(Qt::black);
    naturalness->render(&image);
    // Three logical columns, 299 to 301, are six whole device columns with no blended edge.
    QCOMPARE(columnsIn(image, 2), range(598, 603, 2 * 779));
}

QTEST_MAIN(TestRatingWindow)
#include "test_rating_window.moc"
