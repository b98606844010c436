#pragma once

#include <QByteArray>
#include <QString>

// A file written whole or not at all: a new copy replaces what is at the path only once all of it
// is on disk, so a failed write leaves no partial file and never damages the file it would
// replace. Save as PDF and a new data table are written so.
namespace wholefile {

// Writes `bytes` to `path`. Returns why it could not be written, in plain words, or nothing.
QString write(const QString &path, const QByteArray &bytes);

} // namespace wholefile
