#pragma once

#include <QString>

// What the system's media framework can play, asked before anything of Qt Multimedia is made: Qt
// 6.4 ends the program (qFatal) when QT_MEDIA_BACKEND names a backend that cannot load, or when
// none is installed, so the program asks first and tells the user instead.
namespace mediaframework {
// Why no recording can be played here, or empty when one can.
QString unavailable();
// The file dialog's filters: the audio and video files whose sound the framework plays.
QString fileFilter();
// For a recording the framework could not play: the Debian package whose GStreamer plugins play
// files named like `path`, with what they hold, as a sentence; empty where it cannot be known.
QString pluginHint(const QString &path);
} // namespace mediaframework
