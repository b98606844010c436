#include "media/MediaFramework.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// Qt names a backend by its plugin, lib<name>mediaplugin.so in the "multimedia" plugin folder.
QStringList installedBackends()
{
    QStringList backends;
    for (const QString &folder : QCoreApplication::libraryPaths()) {
        const QDir dir(folder + QStringLiteral("/multimedia"));
        for (const QString &file : dir.entryList({QStringLiteral("lib*mediaplugin.so")}))
            backends.append(file.mid(3, file.size() - 3 - int(qstrlen("mediaplugin.so"))));
    }
    return backends;
}

struct Plugins {
    const char *suffixes;
    const char *package;
    const char *what;
};

// Which of Debian's GStreamer packages reads and decodes each kind of file.
constexpr Plugins PluginsFor[] = {
    {" m4a aac mp4 mov ", "gstreamer1.0-libav", "AAC sound"},
    {" ogg oga opus ", "gstreamer1.0-plugins-base", "Ogg, Vorbis and Opus"},
    {" wav flac mp3 mkv mka webm ", "gstreamer1.0-plugins-good", "WAV, FLAC, MP3 and Matroska"},
};

} // namespace

namespace mediaframework {

QString unavailable()
{
    const QStringList installed = installedBackends();
    const QString chosen = qEnvironmentVariable("QT_MEDIA_BACKEND");
    if (!chosen.isEmpty() && !installed.contains(chosen))
        return QStringLiteral("Recordings cannot be played: QT_MEDIA_BACKEND names the media "
                              "backend \"%1\", which is not installed (installed: %2). Unset it "
                              "or name one of those.")
            .arg(chosen, installed.isEmpty() ? QStringLiteral("none") : installed.join(", "));
    if (installed.isEmpty())
        return QStringLiteral("Recordings cannot be played: Qt's media framework has no backend "
                              "installed. Install the Debian package libqt6multimedia6.");
    return {};
}

QString fileFilter()
{
    return QStringLiteral("Recordings (*.wav *.flac *.ogg *.oga *.opus *.mp3 *.m4a *.aac *.mp4 "
                          "*.mkv *.mka *.webm *.mov);;All files (*)");
}

QString pluginHint(const QString &path)
{
    const QString suffix = QLatin1Char(' ') + QFileInfo(path).suffix().toLower() + QLatin1Char(' ');
    for (const Plugins &plugins : PluginsFor) {
        if (suffix.size() > 2 && QLatin1String(plugins.suffixes).contains(suffix))
            return QStringLiteral(" Its %1 needs the GStreamer plugins of the Debian package %2.")
                .arg(QLatin1String(plugins.what), QLatin1String(plugins.package));
    }
    return {};
}

} // namespace mediaframework
