#include "core/reports/WholeFile.h"

#include "core/reports/SaveOutcome.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace wholefile {

QString write(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return SaveOutcome::reasonOf(file, path);
    return {};
}

std::optional<QByteArray> read(const QString &path, QString *why)
{
    if (!QFileInfo(path).isFile()) {
        *why = QFileInfo::exists(path) ? QStringLiteral("it is not a regular file")
                                       : QStringLiteral("there is no such file");
        return std::nullopt;
    }
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *why = QStringLiteral("it could not be read (%1)").arg(file.errorString());
        return std::nullopt;
    }
    return bytes;
}

} // namespace wholefile
