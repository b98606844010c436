#include "common/MessageBox.h"

#include <QMessageBox>

namespace messagebox {

void show(QWidget *parent, const QString &message)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(title), message, QMessageBox::Ok,
                    parent);
    box.setObjectName(QStringLiteral("TallymereMessageBox"));
    box.exec();
}

} // namespace messagebox
