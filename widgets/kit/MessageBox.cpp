#include "widgets/kit/MessageBox.h"

#include <QMessageBox>

namespace messagebox {

std::unique_ptr<QMessageBox> create(QWidget *parent, const QString &message)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, QString::fromLatin1(title),
                                             message, QMessageBox::Ok, parent);
    box->setObjectName(QStringLiteral("TallymereMessageBox"));
    return box;
}

void show(QWidget *parent, const QString &message) { create(parent, message)->exec(); }

} // namespace messagebox
