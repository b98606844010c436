#pragma once

#include <QString>

class QWidget;

// The program's message box: modal, the message, one OK button, no icon, and the application
// title "Tallymere2.02".
namespace messagebox {

inline const char *const title = "Tallymere2.02";

void show(QWidget *parent, const QString &message);

} // namespace messagebox
