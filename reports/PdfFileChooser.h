#pragma once

#include <QString>

#include <functional>

class QWidget;

// Asks where to save a report as PDF. By default a save-file dialog; tests put their own chooser
// in its place so nothing modal waits for a hand that is not there.
namespace pdffilechooser {

// The chosen path, or an empty text when the user cancelled.
using Chooser = std::function<QString(QWidget *parent, const QString &suggestedPath)>;

// Replaces the chooser; an empty one brings the file dialog back.
void set(Chooser chooser);

QString choose(QWidget *parent, const QString &suggestedPath);

} // namespace pdffilechooser
