#include "windows/timeline/ComparisonWindow.h"

#include "core/reports/AgreementReport.h"
#include "core/reports/RecordRow.h"
#include "core/reports/ReportLayout.h"
#include "core/reports/TimelineFiles.h"
#include "core/reports/TimelineReader.h"
#include "widgets/delivery/PrintCommands.h"
#include "widgets/delivery/RecordCommands.h"
#include "widgets/delivery/ReportDelivery.h"
#include "windows/timeline/ComparisonLanes.h"

#include <QDateTime>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QStandardPaths>
#include <QVBoxLayout>

ComparisonWindow::ComparisonWindow(const JudgedTimeline &a, ReportDelivery &delivery,
                                   QWidget *parent)
    : QMainWindow(parent, Qt::Window), m_a(a), m_delivery(delivery), m_lanes(new ComparisonLanes),
      m_windowLength(new QDoubleSpinBox), m_report(new QPlainTextEdit)
{
    setObjectName(QStringLiteral("frmComparison"));
    setWindowTitle(tr("Tallymere - Comparison of %1").arg(a.name));
    setAttribute(Qt::WA_DeleteOnClose);
    buildMenu();
    buildControls();
    refresh();
    resize(QSize(1000, 640).boundedTo(screen()->availableGeometry().size() * 9 / 10));
}

void ComparisonWindow::buildMenu()
{
    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("MnuFilE"));
    const auto add = [&](const QString &text, const char *name, void (ComparisonWindow::*slot)()) {
        QAction *action = file->addAction(text, this, slot);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    add(tr("&Compare..."), "MnuFilCompare", &ComparisonWindow::MnuFilCompare_Click);
    file->addSeparator();
    m_keeping = {
        add(tr("&Print"), "MnuFilPrint", &ComparisonWindow::MnuFilPrint_Click),
        add(tr("&Save as PDF..."), "MnuFilSavePdf", &ComparisonWindow::MnuFilSavePdf_Click),
        add(tr("E&xport data..."), "MnuFilExport", &ComparisonWindow::MnuFilExport_Click)};
    file->addSeparator();
    add(tr("C&lose"), "MnuFilClose", &ComparisonWindow::MnuFilClose_Click);
}

void ComparisonWindow::buildControls()
{
    auto *central = new QWidget;
    auto *rows = new QVBoxLayout(central);
    auto *lengthRow = new QHBoxLayout;
    auto *lengthLabel = new QLabel(tr("&Windows of:"));
    lengthLabel->setBuddy(m_windowLength);
    m_windowLength->setObjectName(QStringLiteral("ComparisonWindowLength"));
    m_windowLength->setRange(1, 10);
    m_windowLength->setSingleStep(0.2);
    m_windowLength->setDecimals(1);
    m_windowLength->setSuffix(tr(" s"));
    m_windowLength->setValue(double(m_windowTicks) / Agreement::TicksPerSecond);
    m_windowLength->setKeyboardTracking(false);
    connect(m_windowLength, &QDoubleSpinBox::valueChanged, this,
            &ComparisonWindow::ComparisonWindowLength_Change);
    lengthRow->addWidget(lengthLabel);
    lengthRow->addWidget(m_windowLength);
    lengthRow->addStretch();
    rows->addLayout(lengthRow);
    m_lanes->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    rows->addWidget(m_lanes);
    m_report->setObjectName(QStringLiteral("ComparisonReport"));
    m_report->setAccessibleName(tr("Agreement report"));
    m_report->setReadOnly(true);
    m_report->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_report->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    rows->addWidget(m_report, 1);
    setCentralWidget(central);
}

std::optional<JudgedTimeline>
ComparisonWindow::askTimeline(QWidget *parent, ReportDelivery &delivery, const QString &caption)
{
    QFileDialog dialog(parent, caption,
                       QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                       tr("Timelines (*.csv *.TextGrid);;All files (*)"));
    dialog.setObjectName(QStringLiteral("TallymereFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString path = dialog.selectedFiles().first();
    QString why;
    std::optional<JudgedTimeline> read = timelinereader::read(path, &why);
    if (!read)
        delivery.say(
            parent,
            tr("%1 cannot be opened as a timeline: %2.").arg(QDir::toNativeSeparators(path), why));
    return read;
}

bool ComparisonWindow::compareWith(const JudgedTimeline &b)
{
    if (const QString refused = Agreement::refusal(m_a, b); !refused.isEmpty()) {
        m_delivery.say(this, tr("The timelines cannot be compared: %1.").arg(refused));
        return false;
    }
    m_b = b;
    refresh();
    return true;
}

void ComparisonWindow::refresh()
{
    m_lanes->setJudges(m_a, m_b);
    for (QAction *keeping : std::as_const(m_keeping))
        keeping->setEnabled(m_b.has_value());
    if (!m_b) {
        m_agreement.reset();
        m_report->setPlainText(tr("Judge A: %1, %2 s.\n\nFile > Compare... chooses the timeline "
                                  "of judge B, compared with it.")
                                   .arg(m_a.name, TimelineFiles::seconds(m_a.lengthTicks)));
        return;
    }
    m_agreement.emplace(m_a, *m_b, m_windowTicks);
    m_report->setPlainText(reportlayout::asText(report()).join('\n'));
}

ReportPage ComparisonWindow::report() const
{
    return AgreementReport::build(*m_agreement, m_series);
}

void ComparisonWindow::tableRead(const ComparisonSeries &series)
{
    m_series = series;
    if (series.comparisons >= 2)
        m_delivery.say(this, tr("%1 now holds %2 comparisons; the report gives their reliability.")
                                 .arg(series.table)
                                 .arg(series.comparisons));
    if (m_agreement)
        refresh();
}

void ComparisonWindow::MnuFilCompare_Click()
{
    if (const std::optional<JudgedTimeline> b =
            askTimeline(this, m_delivery, tr("Compare with the timeline of judge B")))
        compareWith(*b);
}

void ComparisonWindow::MnuFilPrint_Click()
{
    if (m_agreement)
        printcommands::printComparison(m_delivery, this, report());
}

void ComparisonWindow::MnuFilSavePdf_Click()
{
    if (m_agreement)
        recordcommands::saveComparisonPdf(m_delivery, this, report());
}

void ComparisonWindow::MnuFilExport_Click()
{
    if (m_agreement)
        recordcommands::exportComparison(
            m_delivery, this, RecordRow::comparison(*m_agreement, QDateTime::currentDateTime()),
            [window = QPointer<ComparisonWindow>(this)](const ComparisonSeries &series) {
                if (window)
                    window->tableRead(series);
            });
}

void ComparisonWindow::MnuFilClose_Click() { close(); }

// A length that is not a whole number of ticks is told and the last good one kept.
void ComparisonWindow::ComparisonWindowLength_Change()
{
    QString why;
    const std::optional<int> ticks =
        Agreement::windowTicksOf(QString::number(m_windowLength->value(), 'f', 1), &why);
    if (!ticks) {
        m_delivery.say(this, tr("Windows of %1 s cannot be used: %2.")
                                 .arg(m_windowLength->value(), 0, 'f', 1)
                                 .arg(why));
        const QSignalBlocker quiet(m_windowLength);
        m_windowLength->setValue(double(m_windowTicks) / Agreement::TicksPerSecond);
        return;
    }
    m_windowTicks = *ticks;
    refresh();
}
