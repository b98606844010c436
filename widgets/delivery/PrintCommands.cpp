#include "widgets/delivery/PrintCommands.h"

#include "core/reports/RatingsReport.h"
#include "core/reports/SessionReport.h"
#include "widgets/delivery/ReportDelivery.h"
#include "widgets/kit/MessageBox.h"

namespace printcommands {

namespace {

bool hasData(const SessionFields &fields) { return fields.sampleTicks.value_or(0) != 0; }

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
    if (!hasData(readSession())) {
        messagebox::show(parent, QStringLiteral("No Data!"));
        return;
    }
    messagebox::show(parent, QStringLiteral("Check if the printer is ready."));
    // Every value of the report comes from this one reading, taken as the prompt is dismissed.
    const SessionFields fields = readSession();
    if (!hasData(fields)) { // cleared while the prompt was up
        messagebox::show(parent, QStringLiteral("No Data!"));
        return;
    }
    delivery.deliver(parent, SessionReport::build(fields),
                     QStringLiteral("Tallymere session report.pdf"));
}

void printRatings(ReportDelivery &delivery, QWidget *parent,
                  const std::function<RatingFields()> &readRatings)
{
    if (alreadySending(delivery, parent))
        return;
    messagebox::show(parent, QStringLiteral("Is the printer on?"));
    delivery.deliver(parent, RatingsReport::build(readRatings()),
                     QStringLiteral("Tallymere ratings report.pdf"));
}

} // namespace printcommands
