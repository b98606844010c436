#pragma once

#include <QString>

#include <memory>

class QMessageBox;
class QWidget;

// The program's message box: modal, the message, one OK button, no icon, and the application
// title "Tallymere2.02".
namespace messagebox {

inline const char *const title = "Tallymere2.02";

// The box, built and not yet shown.
std::unique_ptr<QMessageBox> create(QWidget *parent, const QString &message);

// Shows the box and waits for its OK.
void show(QWidget *parent, const QString &message);

} // namespace messagebox
