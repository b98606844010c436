#include "reports/PdfFileChooser.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QObject>

#include <utility>

namespace pdffilechooser {

namespace {

Chooser &current()
{
    static Chooser chooser;
    return chooser;
}

QString fromDialog(QWidget *parent, const QString &suggestedPath)
{
    // Qt's own dialog rather than the desktop's: it is drawn in the program's palette.
    QString path = QFileDialog::getSaveFileName(parent, QObject::tr("Save the report as PDF"),
                                                suggestedPath, QObject::tr("PDF files (*.pdf)"),
                                                nullptr, QFileDialog::DontUseNativeDialog);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    return path;
}

} // namespace

void set(Chooser chooser) { current() = std::move(chooser); }

QString choose(QWidget *parent, const QString &suggestedPath)
{
    return current() ? current()(parent, suggestedPath) : fromDialog(parent, suggestedPath);
}

} // namespace pdffilechooser
