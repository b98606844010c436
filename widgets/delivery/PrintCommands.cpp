#include "widgets/delivery/PrintCommands.h"

#include "core/reports/RatingsReport.h"
#include "core/reports/SessionReport.h"
#include "widgets/delivery/RecordCommands.h"
#include "widgets/delivery/ReportDelivery.h"
#include "widgets/kit/MessageBox.h"

namespace printcommands {

namespace {

// Another report still on its way: the note says so, and nothing else happens.
bool alreadySending(ReportDelivery &delivery, QWidget *parent)
{
    if (delivery.busy())
        delivery.sayBusy(parent);
    return delivery.busy();
}

} // namespace

void printSession(ReportDelivery &delivery, QWidget *parent,
                  const std::function<SessionFields()> &readSession)
{
    if (alreadySending(delivery, parent))
        return;
    if (recordcommands::refuseEmpty(parent, readSession()))
        return;
    messagebox::show(parent, QStringLiteral("Check if the printer is ready."));
    // Every value of the report comes from this one reading, taken as the prompt is dismissed.
    const SessionFields fields = readSession();
    if (recordcommands::refuseEmpty(parent, fields)) // cleared while the prompt was up
        return;
    delivery.deliver(parent, SessionReport::build(fields), RecordKind::Session);
}

void printComparison(ReportDelivery &delivery, QWidget *parent, const ReportPage &page)
{
    if (!alreadySending(delivery, parent))
        delivery.deliver(parent, page, RecordKind::Comparison);
}

void printRatings(ReportDelivery &delivery, QWidget *parent,
                  const std::function<RatingFields()> &readRatings)
{
    if (alreadySending(delivery, parent))
        return;
    messagebox::show(parent, QStringLiteral("Is the printer on?"));
    delivery.deliver(parent, RatingsReport::build(readRatings()), RecordKind::Ratings);
}

} // namespace printcommands
