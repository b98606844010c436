#pragma once

#include <Qt>

// Button codes as the session and rating logic know them: 1 left, 2 right, 4 middle; 0 for any
// other button, which no handler acts on.
namespace mousebuttons {

inline constexpr int Left = 1;
inline constexpr int Right = 2;
inline constexpr int Middle = 4;

constexpr int code(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return Left;
    case Qt::RightButton: return Right;
    case Qt::MiddleButton: return Middle;
    default: return 0;
    }
}

} // namespace mousebuttons
