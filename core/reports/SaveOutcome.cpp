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
    const bool session = kind == RecordKind::Session;
    switch (result) {
    case Result::Written:
        if (format == Format::Timeline)
            return QObject::tr("The session's timeline was exported to: %1").arg(where);
        if (format == Format::Pdf)
            return session ? QObject::tr("The session was saved as: %1").arg(where)
                           : QObject::tr("The ratings were saved as: %1").arg(where);
        return session ? QObject::tr("The session was exported to the new file: %1").arg(where)
                       : QObject::tr("The ratings were exported to the new file: %1").arg(where);
    case Result::Appended:
        return session ? QObject::tr("The session was added as a new row to: %1").arg(where)
                       : QObject::tr("The ratings were added as a new row to: %1").arg(where);
    case Result::NotWritten: break;
    case Result::Damaged:
        return session ? QObject::tr("The session could not be exported to %1: %2; the last line "
                                     "of %1 may be incomplete.")
                             .arg(where, reason)
                       : QObject::tr("The ratings could not be exported to %1: %2; the last line "
                                     "of %1 may be incomplete.")
                             .arg(where, reason);
    }
    if (format == Format::Timeline)
        return QObject::tr("The session's timeline could not be exported to %1: %2. Nothing was "
                           "written.")
            .arg(where, reason);
    if (format == Format::Pdf)
        return session ? QObject::tr("The session could not be saved as %1: %2. Nothing was "
                                     "written.")
                             .arg(where, reason)
                       : QObject::tr("The ratings could not be saved as %1: %2. Nothing was "
                                     "written.")
                             .arg(where, reason);
    return session ? QObject::tr("The session could not be exported to %1: %2. Nothing was "
                                 "written.")
                         .arg(where, reason)
                   : QObject::tr("The ratings could not be exported to %1: %2. Nothing was "
                                 "written.")
                         .arg(where, reason);
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
