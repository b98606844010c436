#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Window geometry is designed in twips (1/1440 inch). At 96 dots per inch 15 twips make one
// pixel; we convert to device-independent pixels so Qt scales the result on dense screens.
namespace twips {

inline constexpr int perPixel = 15;

constexpr int toPixels(int t)
{
    // Round half away from zero, like the designer's own conversion.
    return t >= 0 ? (t + perPixel / 2) / perPixel : -((-t + perPixel / 2) / perPixel);
}

inline QRect rect(int left, int top, int width, int height)
{
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}

inline QPoint point(int x, int y) { return {toPixels(x), toPixels(y)}; }
inline QSize size(int width, int height) { return {toPixels(width), toPixels(height)}; }

} // namespace twips
