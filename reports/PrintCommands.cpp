#include "reports/PrintCommands.h"

#include "common/MessageBox.h"

#include <QObject>

// Placeholder until the report printer exists.
namespace printcommands {

void printSession(QWidget *parent, const std::function<SessionFields()> &)
{
    messagebox::show(parent, QObject::tr("Printing is not available in this build."));
}

void printRatings(QWidget *parent, const std::function<RatingFields()> &)
{
    messagebox::show(parent, QObject::tr("Printing is not available in this build."));
}

} // namespace printcommands
