#include "core/reports/SaveOutcome.h"

#include <QDir>
#include <QFileDevice>
#include <QFileInfo>
#include <QObject>

#include <cerrno>
#include <cstring>

QString SaveOutcome::message() const
{
    const QString where = QDir::toNativeSeparators(path);
    const RecordNames names = recordNames(kind);
    QString subject = QLatin1String(names.subject);
    subject[0] = subject[0].toUpper();
    const QString was = subject + QLatin1Char(' ') + QLatin1String(names.verb);
    switch (result) {
    case Result::Written:
        if (format == Format::Timeline)
            return QObject::tr("The session's timeline was exported to: %1").arg(where);
        if (format == Format::Pdf)
            return QObject::tr("%1 saved as: %2").arg(was, where);
        return QObject::tr("%1 exported to the new file: %2").arg(was, where);
    case Result::Appended: return QObject::tr("%1 added as a new row to: %2").arg(was, where);
    case Result::NotWritten: break;
    case Result::Damaged:
        return QObject::tr("%1 could not be exported to %2: %3; the last line of %2 may be "
                           "incomplete.")
            .arg(subject, where, reason);
    }
    if (format == Format::Timeline)
        return QObject::tr("The session's timeline could not be exported to %1: %2. Nothing was "
                           "written.")
            .arg(where, reason);
    if (format == Format::Pdf)
        return QObject::tr("%1 could not be saved as %2: %3. Nothing was written.")
            .arg(subject, where, reason);
    return QObject::tr("%1 could not be exported to %2: %3. Nothing was written.")
        .arg(subject, where, reason);
}

QString SaveOutcome::reasonOf(const QFileDevice &file, const QString &path)
{
    return reasonOf(file.error() == QFileDevice::ResourceError, path, file.errorString());
}

QString SaveOutcome::reasonOf(int error, const QString &path)
{
    return reasonOf(error == ENOSPC || error == EDQUOT, path,
                    QString::fromLocal8Bit(std::strerror(error)));
}

QString SaveOutcome::reasonOf(bool diskFull, const QString &path, const QString &systemWords)
{
    if (diskFull)
        return QObject::tr("the disk is full");
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir())
        return QObject::tr("the folder does not exist");
    if (!folder.isWritable())
        return QObject::tr("the folder cannot be written");
    if (target.exists() && !target.isWritable())
        return QObject::tr("the file cannot be written");
    return systemWords;
}
