#include "widgets/kit/FontSubstitutes.h"

#include <QFont>
#include <QStringList>

namespace fonts {

void registerSubstitutes()
{
    // Liberation Sans and Serif share Arial's and Times New Roman's metrics; MS Sans Serif was
    // a sans face of Arial's proportions. DejaVu Sans is as wide as Verdana, and in its heaviest
    // weight stands in for Arial Black.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial Black"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(
        QStringLiteral("Times New Roman"),
        {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    QFont::insertSubstitutions(QStringLiteral("Verdana"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    // Courier New is the printer font alone, and the report page names its own fallbacks
    // (ReportPdf::font), so that a report is drawn alike wherever it is drawn.
}

} // namespace fonts
