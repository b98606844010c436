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
    // Qt's own dialog, as every dialog of the program (classiclook::apply), in its palette.
    QString path = QFileDialog::getSaveFileName(parent, QObject::tr("Save the report as PDF"),
                                                suggestedPath, QObject::tr("PDF files (*.pdf)"));
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
