#include "reports/PrintConversation.h"

#include "reports/CupsPrinter.h"

#include <utility>

PrintConversation::PrintConversation(ReportPage page, QDeadlineTimer deadline,
                                     std::shared_ptr<const std::atomic_bool> abandoned)
    : m_page(std::move(page)), m_deadline(deadline), m_abandoned(std::move(abandoned))
{
}

void PrintConversation::run()
{
    // The print library reads its settings per thread: this thread's service is the one asked.
    emit serviceChosen(CupsPrinter::serviceName());
    CupsPrinter cups(m_deadline, m_abandoned);
    const PrintOutcome outcome = ReportPrinter::print(
        m_page, cups, [this](const QString &name) { emit printerFound(name); });
    emit finished(outcome);
}
