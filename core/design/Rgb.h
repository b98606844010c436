#pragma once

// A colour as red, green and blue components from 0 to 255. Kept free of any Qt GUI type so the
// widget-free cores (session engine, rating core) can name colours.
struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;

    friend constexpr bool operator==(const Rgb &, const Rgb &) = default;
};
