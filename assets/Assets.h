#pragma once

#include <QCursor>
#include <QIcon>
#include <QString>

// The program's own pictures, compiled in as resources: the main window's background photograph,
// the application icon, the stopwatch pointer and the pictures of the two information windows.
namespace assets {

// The 1024 x 768 background of the main window.
inline const QString backgroundPath = QStringLiteral(":/tallymere/background.jpg");
// The About window's line drawing and the Specifications window's scanned cartoon.
inline const QString aboutDrawingPath = QStringLiteral(":/tallymere/about_drawing.jpg");
inline const QString rabbitScanPath = QStringLiteral(":/tallymere/rabbit_scan.jpg");

// The application icon at 16, 32 and 48 pixels, with larger copies for dense screens.
QIcon applicationIcon();

// The stopwatch on its opaque cyan square, hot spot at the centre of the dial; the 64-pixel
// copy is used on screens of device pixel ratio 1.5 and more so it stays crisp.
QCursor stopwatchCursor(qreal devicePixelRatio = 1.0);

} // namespace assets
