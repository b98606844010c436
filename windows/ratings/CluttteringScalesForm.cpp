#include "windows/ratings/CluttteringScalesForm.h"

#include "core/ratings/RatingCore.h"
#include "core/ratings/RatingFields.h"
#include "core/ratings/ScaleTable.h"
#include "widgets/delivery/PrintCommands.h"
#include "widgets/delivery/RecordCommands.h"
#include "widgets/kit/Accessibility.h"
#include "widgets/kit/BorderedLabel.h"
#include "widgets/kit/CaptionFit.h"
#include "widgets/kit/ClientArea.h"
#include "widgets/kit/LayoutBuilder.h"
#include "widgets/kit/ScreenPlacement.h"
#include "widgets/kit/Twips.h"
#include "windows/ratings/RatingBar.h"
#include "windows/ratings/RatingsLayout.h"

#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>

#include <algorithm>
#include <vector>

namespace {

void setBackground(QWidget *widget, const QColor &colour)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, colour);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

} // namespace

// Each bar's handler, in the order of ScaleTable::rows().
const CluttteringScalesForm::MouseDownHandler CluttteringScalesForm::barHandlers[] = {
    &CluttteringScalesForm::SpeakingRateScale_MouseDown,
    &CluttteringScalesForm::RateRegularityScale_MouseDown,
    &CluttteringScalesForm::DisfluencyScale_MouseDown,
    &CluttteringScalesForm::SyllableProductionIntegrityScale_MouseDown,
    &CluttteringScalesForm::OverallArticulationAccuracyScale_MouseDown,
    &CluttteringScalesForm::NaturalnessScale_MouseDown,
    &CluttteringScalesForm::PragmaticLanguageAppropriatenessScale_MouseDown,
    &CluttteringScalesForm::LanguageCoherenceScale_MouseDown,
    &CluttteringScalesForm::ThoughtOrganizationScale_MouseDown,
};

CluttteringScalesForm::CluttteringScalesForm(RatingFields &fields, ReportDelivery &delivery,
                                             QWidget *parent)
    : QMainWindow(parent), m_fields(fields), m_delivery(delivery)
{
    setObjectName(QString::fromLatin1(ratingslayout::windowName));
    setWindowTitle(QString::fromLatin1(ratingslayout::caption));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    buildMenu();
    // A reader meets the menu bar before the client area, although the bar was made after it.
    accessibility::readTopDown(this);
    // The designed client area and place when the window is restored from maximized.
    screenplacement::restore(*this, ratingslayout::clientLeft, ratingslayout::clientTop,
                             ratingslayout::clientWidth, ratingslayout::clientHeight);
    setWindowState(Qt::WindowMaximized);
    Form_Load();
}

CluttteringScalesForm *CluttteringScalesForm::open(RatingFields &fields, ReportDelivery &delivery)
{
    auto *window = new CluttteringScalesForm(fields, delivery);
    window->show();
    return window;
}

// ---- construction -------------------------------------------------------------------------

void CluttteringScalesForm::buildControls()
{
    auto *client = new ClientArea(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    setBackground(client, layout::colour(ratingslayout::background));
    setBackground(this, layout::colour(ratingslayout::background));
    setCentralWidget(client);
    buildFrame(client);
    m_controls.insert(layout::build(client, ratingslayout::controls()));
    buildBars(client); // created last, so they stand in front of any label
    nameForReaders();
    for (QLabel *label : client->findChildren<QLabel *>())
        captionfit::fit(*label, label->font());
}

void CluttteringScalesForm::buildFrame(QWidget *client)
{
    const ControlRow &row = ratingslayout::frame();
    auto *frame = new QGroupBox(QString::fromUtf8(row.caption), client);
    frame->setObjectName(QString::fromLatin1(row.name));
    frame->setGeometry(twips::rect(row.left, row.top, row.width, row.height));
    frame->setFont(layout::font(row.font));
    QPalette p = frame->palette();
    const QColor text = layout::colour(row.text, Qt::black);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(role, text);
    frame->setPalette(p);
    setBackground(frame, layout::colour(row.back, Qt::white));
    m_controls.insert(frame->objectName(), frame);
    m_controls.insert(layout::build(frame, ratingslayout::frameControls()));
}

void CluttteringScalesForm::buildBars(QWidget *client)
{
    static_assert(std::size(barHandlers) == ScaleTable::count);
    std::vector<RatingBar *> byTabIndex;
    for (const BarRow &design : ratingslayout::bars()) {
        auto *bar = new RatingBar(client);
        bar->setObjectName(QString::fromLatin1(design.name));
        bar->setGeometry(twips::rect(design.left, design.top, design.width, design.height));
        const auto row =
            ScaleTable::byBar(QString::fromLatin1(design.name)) - ScaleTable::rows().data();
        connect(bar, &RatingBar::mouseDown, this,
                [this, h = barHandlers[row]](int b, int s, float x, float y) {
                    (this->*h)(b, s, x, y);
                });
        m_controls.insert(bar->objectName(), bar);
        byTabIndex.push_back(bar);
    }
    // Tab moves among the bars in their designed tab order; nothing else takes the focus.
    std::stable_sort(byTabIndex.begin(), byTabIndex.end(), [](RatingBar *a, RatingBar *b) {
        return ScaleTable::byBar(a->objectName())->tabIndex <
               ScaleTable::byBar(b->objectName())->tabIndex;
    });
    for (std::size_t i = 1; i < byTabIndex.size(); ++i)
        setTabOrder(byTabIndex[i - 1], byTabIndex[i]);
    byTabIndex.front()->setFocus();
}

void CluttteringScalesForm::nameForReaders()
{
    // A reader hears each bar and score box with the feature (and scale) it belongs to.
    for (const ScaleRow &row : ScaleTable::rows()) {
        const QString feature = QString::fromLatin1(row.reportLabel);
        m_controls.value(QLatin1String(row.barName))->setAccessibleName(feature);
        qobject_cast<BorderedLabel *>(m_controls.value(QLatin1String(row.scoreName)))
            ->setReaderName(feature + QStringLiteral(", 0 to 100"));
        qobject_cast<BorderedLabel *>(m_controls.value(QLatin1String(row.nineName)))
            ->setReaderName(feature + QStringLiteral(", 1 to 9"));
    }
}

QAction *CluttteringScalesForm::addItem(QMenu *menu, const char *name, const QString &caption,
                                        void (CluttteringScalesForm::*handler)())
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void CluttteringScalesForm::buildMenu()
{
    QMenu *file = menuBar()->addMenu(tr("File"));
    file->setObjectName(QStringLiteral("MnuFilE"));
    addItem(file, "MnuHardCopy", tr("&Print"), &CluttteringScalesForm::MnuHardCopy_Click);
    addItem(file, "MnuFilSavePdf", tr("&Save as PDF..."),
            &CluttteringScalesForm::MnuFilSavePdf_Click);
    addItem(file, "MnuFilExport", tr("E&xport data..."),
            &CluttteringScalesForm::MnuFilExport_Click);
    file->addSeparator()->setObjectName(QStringLiteral("MnuFilDash"));
    addItem(file, "MnuFilExit", tr("&Return to Main Screen"),
            &CluttteringScalesForm::MnuFilExit_Click);

    QMenu *numbers = menuBar()->addMenu(tr("Numerical results visible?"));
    numbers->setObjectName(QStringLiteral("MnuHideNumbers"));
    addItem(numbers, "MnuHideNumbersHide", tr("Hide"),
            &CluttteringScalesForm::MnuHideNumbersHide_Click);
    addItem(numbers, "MnuHideNumbersShow", tr("Show"),
            &CluttteringScalesForm::MnuHideNumbersShow_Click);
}

// ---- handlers -----------------------------------------------------------------------------

void CluttteringScalesForm::Form_Load()
{
    // The controls were just built, so the numbers are shown. A scale rated before the window
    // was last closed shows the rating its field keeps, the one a report prints: its mark and
    // both scores. A scale never rated shows its placeholders.
    for (const ScaleRow &row : ScaleTable::rows()) {
        if (m_fields.*row.rated) {
            showKeptRating(row);
            continue;
        }
        setText(row.scoreName, QString::fromLatin1(row.scorePlaceholder));
        setText(row.nineName, QString::fromLatin1(ScaleTable::nonePlaceholder));
    }
}

// Button, modifiers and height do not matter: a press anywhere on a bar rates at its column.
void CluttteringScalesForm::SpeakingRateScale_MouseDown(int, int, float x, float)
{
    pressScale("SpeakingRateScale", x);
}
void CluttteringScalesForm::RateRegularityScale_MouseDown(int, int, float x, float)
{
    pressScale("RateRegularityScale", x);
}
void CluttteringScalesForm::DisfluencyScale_MouseDown(int, int, float x, float)
{
    pressScale("DisfluencyScale", x);
}
void CluttteringScalesForm::SyllableProductionIntegrityScale_MouseDown(int, int, float x, float)
{
    pressScale("SyllableProductionIntegrityScale", x);
}
void CluttteringScalesForm::OverallArticulationAccuracyScale_MouseDown(int, int, float x, float)
{
    pressScale("OverallArticulationAccuracyScale", x);
}
void CluttteringScalesForm::NaturalnessScale_MouseDown(int, int, float x, float)
{
    pressScale("NaturalnessScale", x);
}
void CluttteringScalesForm::PragmaticLanguageAppropriatenessScale_MouseDown(int, int, float x,
                                                                            float)
{
    pressScale("PragmaticLanguageAppropriatenessScale", x);
}
void CluttteringScalesForm::LanguageCoherenceScale_MouseDown(int, int, float x, float)
{
    pressScale("LanguageCoherenceScale", x);
}
void CluttteringScalesForm::ThoughtOrganizationScale_MouseDown(int, int, float x, float)
{
    pressScale("ThoughtOrganizationScale", x);
}

void CluttteringScalesForm::MnuHideNumbersHide_Click() { setNumbersVisible(false); }

void CluttteringScalesForm::MnuHideNumbersShow_Click() { setNumbersVisible(true); }

void CluttteringScalesForm::MnuFilExit_Click() { close(); }

void CluttteringScalesForm::MnuHardCopy_Click()
{
    // The fields outlive the window, so the report reads them even if the window goes meanwhile.
    RatingFields &fields = m_fields;
    printcommands::printRatings(m_delivery, this, [&fields] { return fields; });
}

void CluttteringScalesForm::MnuFilSavePdf_Click()
{
    RatingFields &fields = m_fields;
    recordcommands::saveRatingsPdf(m_delivery, this, [&fields] { return fields; });
}

void CluttteringScalesForm::MnuFilExport_Click()
{
    RatingFields &fields = m_fields;
    recordcommands::exportRatings(m_delivery, this, [&fields] { return fields; });
}

// ---- helpers ------------------------------------------------------------------------------

void CluttteringScalesForm::pressScale(const char *barName, float x)
{
    const ScaleRow &row = *ScaleTable::byBar(QString::fromLatin1(barName));
    const BarPress press = RatingCore::press(m_fields, row, x);
    static_cast<RatingBar *>(m_controls.value(QLatin1String(barName)))
        ->paintPress(press.erase, press.mark);
    setText(row.scoreName, press.percentText);
    setText(row.nineName, press.nineText);
}

void CluttteringScalesForm::showKeptRating(const ScaleRow &row)
{
    const float rating = m_fields.*row.field;
    static_cast<RatingBar *>(m_controls.value(QLatin1String(row.barName)))
        ->showMark(RatingCore::mark(rating));
    setText(row.scoreName, RatingCore::PercentScoreText(rating));
    setText(row.nineName, RatingCore::NineScoreText(rating));
}

void CluttteringScalesForm::setNumbersVisible(bool visible)
{
    for (const QString &name : ratingslayout::numberControls())
        accessibility::setVisible(m_controls.value(name), visible);
}

void CluttteringScalesForm::setText(const char *name, const QString &text)
{
    static_cast<QLabel *>(m_controls.value(QLatin1String(name)))->setText(text);
}
