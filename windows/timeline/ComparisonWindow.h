#pragma once

#include "core/reports/Agreement.h"
#include "core/reports/ComparisonSeries.h"
#include "core/reports/JudgedTimeline.h"
#include "core/reports/ReportPage.h"

#include <QMainWindow>

#include <optional>

class ComparisonLanes;
class QAction;
class QDoubleSpinBox;
class QPlainTextEdit;
class ReportDelivery;

// Two judges' timelines of one sample compared: judge A (the session, or a timeline opened) and
// judge B (a timeline compared with it), drawn one above the other with the stretches where they
// disagree highlighted, and the agreement report beside them, as it prints. The windows' length
// is chosen here (1 to 10 s in whole ticks). File > Compare... chooses judge B; Print, Save as
// PDF... and Export data... keep the comparison as the session's commands keep a session; once a
// table of comparisons holds several, the report gives their reliability too.
class ComparisonWindow : public QMainWindow {
    Q_OBJECT
public:
    ComparisonWindow(const JudgedTimeline &a, ReportDelivery &delivery, QWidget *parent = nullptr);

    // Asks for a timeline file over `parent` and reads it; tells why in the note where it cannot.
    static std::optional<JudgedTimeline> askTimeline(QWidget *parent, ReportDelivery &delivery,
                                                     const QString &caption);
    // Compares `b` with judge A, unless they name different recordings (told in the note).
    bool compareWith(const JudgedTimeline &b);
    const std::optional<Agreement> &agreement() const { return m_agreement; }
    ComparisonLanes &lanes() const { return *m_lanes; }

private slots:
    void MnuFilCompare_Click();
    void MnuFilPrint_Click();
    void MnuFilSavePdf_Click();
    void MnuFilExport_Click();
    void MnuFilClose_Click();
    void ComparisonWindowLength_Change();

private:
    void buildMenu();
    void buildControls();
    void refresh();
    ReportPage report() const;
    void tableRead(const ComparisonSeries &series);

    JudgedTimeline m_a;
    std::optional<JudgedTimeline> m_b;
    std::optional<Agreement> m_agreement;
    std::optional<ComparisonSeries> m_series; // the table the comparisons were last exported to
    ReportDelivery &m_delivery;
    ComparisonLanes *m_lanes;
    QDoubleSpinBox *m_windowLength;
    QPlainTextEdit *m_report;
    QList<QAction *> m_keeping; // the commands that need a comparison
    int m_windowTicks = Agreement::DefaultWindowTicks;
};
