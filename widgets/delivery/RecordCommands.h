#pragma once

#include "core/ratings/RatingFields.h"
#include "core/reports/RecordKind.h"
#include "core/reports/RecordRow.h"
#include "core/reports/ReportPage.h"
#include "core/reports/SaveOutcome.h"
#include "core/session/SessionFields.h"
#include "core/session/SessionRecording.h"
#include "core/session/Timeline.h"

#include <QString>

#include <functional>

class QWidget;
class ReportDelivery;
struct ComparisonSeries;

// The menus' commands that keep a window's results in a file: File > Save as PDF writes the page
// File > Print would print, File > Export data adds a row to a CSV table. Each asks for the file
// with Qt's file dialog, starting in the user's documents folder, reads its data once the user
// confirms the name, writes the file (a PDF whole or not at all; a row added to a table on a
// worker thread, see CsvExport), and tells the outcome in the printing note, never in a box. The
// dialog is modal like a box: the window's session keeps counting behind it, and a button held on
// the window ends its hold as the dialog comes up.
namespace recordcommands {

// The main window's "No Data!" rule: with nothing counted, says so in the box and returns true.
bool refuseEmpty(QWidget *parent, const SessionFields &fields);

// Qt's file dialog for a file of `kind`'s results in `format`, suggesting a name that says which
// and, for a PDF, when ("Tallymere session 2026-12-09 14-32.pdf"); a table collecting many
// exports is suggested under one name ("Tallymere sessions.csv"), so a second export extends it.
// Empty when the user cancels.
QString askPath(QWidget *parent, RecordKind kind, SaveOutcome::Format format);

void saveSessionPdf(ReportDelivery &delivery, QWidget *parent,
                    const std::function<SessionFields()> &readSession);
void exportSession(ReportDelivery &delivery, QWidget *parent,
                   const std::function<SessionFields()> &readSession);
// The session's timeline as a CSV table, a Praat TextGrid or Audacity labels, the format chosen
// by the dialog's file type, written whole or not at all, naming the recording it was marked on.
void exportTimeline(ReportDelivery &delivery, QWidget *parent,
                    const std::function<SessionFields()> &readSession,
                    const std::function<Timeline()> &readTimeline,
                    const SessionRecording &recording);
// A comparison's agreement report as PDF, and its figures as a row of a table of comparisons.
// The table, once the row is in it, is read back for `tableRead`: the comparisons it holds.
void saveComparisonPdf(ReportDelivery &delivery, QWidget *parent, const ReportPage &page);
void exportComparison(ReportDelivery &delivery, QWidget *parent, const RecordRow &row,
                      const std::function<void(const ComparisonSeries &)> &tableRead);
void saveRatingsPdf(ReportDelivery &delivery, QWidget *parent,
                    const std::function<RatingFields()> &readRatings);
void exportRatings(ReportDelivery &delivery, QWidget *parent,
                   const std::function<RatingFields()> &readRatings);

} // namespace recordcommands
