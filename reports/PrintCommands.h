#pragma once

#include "ratings/RatingFields.h"
#include "session/SessionFields.h"

#include <functional>

class QWidget;

// The two printing commands of the menus, from the first message box to the report handed to
// ReportDelivery, which sends it without holding the window. Each reads its data once, after the
// user dismisses the printer prompt, and never changes it. Any failure to print ends in a clear
// message box and changes nothing; so does a job the printer accepted but cannot print now, which
// stays in its queue. While a report is on its way, either command only says so, in the note.
namespace printcommands {

// File > Print of the main window: "No Data!" for an empty session, else the session report.
void printSession(QWidget *parent, const std::function<SessionFields()> &readSession);

// File > Print of the rating window: the ratings report.
void printRatings(QWidget *parent, const std::function<RatingFields()> &readRatings);

} // namespace printcommands
