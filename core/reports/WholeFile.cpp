#include "core/reports/WholeFile.h"

#include "core/reports/SaveOutcome.h"

#include <QSaveFile>

namespace wholefile {

QString write(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return SaveOutcome::reasonOf(file, path);
    return {};
}

} // namespace wholefile
