#include "widgets/kit/MessageBox.h"

#include "widgets/kit/SpaceKey.h"

#include <QMessageBox>

namespace messagebox {

std::unique_ptr<QMessageBox> create(QWidget *parent, const QString &message)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, QString::fromLatin1(title),
                                             message, QMessageBox::Ok, parent);
    box->setObjectName(QStringLiteral("TallymereMessageBox"));
    // The OK button has the keyboard, so that ENTER and SPACE answer the box.
    box->setDefaultButton(QMessageBox::Ok);
    // Its OK button clicks on SPACE once the key is up: a held SPACE closes the box once, and
    // its repeats never reach the window under it as fresh presses.
    SpaceKey::instance();
    return box;
}

void show(QWidget *parent, const QString &message) { create(parent, message)->exec(); }

} // namespace messagebox
