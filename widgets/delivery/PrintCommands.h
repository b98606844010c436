#pragma once

#include "core/ratings/RatingFields.h"
#include "core/reports/ReportPage.h"
#include "core/session/SessionFields.h"

#include <functional>

class QWidget;
class ReportDelivery;

// The printing commands of the menus, from the first message box to the report handed to
// ReportDelivery, which sends it without holding the window and tells its outcome in a note that
// never takes the user's input. Each reads its data once, after the user dismisses the printer
// prompt, and never changes it. While a report is on its way, either command only says so, in
// the note.
namespace printcommands {

// File > Print of the main window: "No Data!" for an empty session, else the session report.
void printSession(ReportDelivery &delivery, QWidget *parent,
                  const std::function<SessionFields()> &readSession);

// File > Print of the rating window: the ratings report.
// A comparison's agreement report, laid out already: no prompt, the page goes as it is.
void printComparison(ReportDelivery &delivery, QWidget *parent, const ReportPage &page);
void printRatings(ReportDelivery &delivery, QWidget *parent,
                  const std::function<RatingFields()> &readRatings);

} // namespace printcommands
