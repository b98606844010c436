#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// A file written whole or not at all: a new copy replaces what is at the path only once all of it
// is on disk, so a failed write leaves no partial file and never damages the file it would
// replace. Save as PDF and a new data table are written so. A file is read whole too.
namespace wholefile {

// Writes `bytes` to `path`. Returns why it could not be written, in plain words, or nothing.
QString write(const QString &path, const QByteArray &bytes);
// The bytes of the regular file at `path`, or nothing and why not in `why` ("there is no such
// file").
std::optional<QByteArray> read(const QString &path, QString *why);

} // namespace wholefile
