#pragma once

#include "core/design/Rgb.h"

// One row of a window's layout table: a control with its designed name, kind, caption, box in
// twips, font and colours. Each window keeps its design as an array of these rows, and
// LayoutBuilder turns the array into widgets. Tests read the same rows to check the live window.

enum class ControlKind {
    Label,  // text, optionally bordered, transparent or opaque
    Button, // push button; keeps every mouse press to itself
    Shape,  // rounded rectangle; takes no mouse input
    Line,   // straight line from (left, top) to (width, height) read as (x2, y2); no mouse input
    Image,  // picture stretched to its box
};

struct ColourChoice {
    enum class Role { Default, Rgb, ButtonFace, ButtonText, WindowText, Highlight, Transparent };
    Role role = Role::Default;
    Rgb rgb{};

    static constexpr ColourChoice of(int r, int g, int b) { return {Role::Rgb, {r, g, b}}; }
    static constexpr ColourChoice system(Role role) { return {role, {}}; }
    static constexpr ColourChoice transparent() { return {Role::Transparent, {}}; }
};

struct FontChoice {
    const char *face = "MS Sans Serif";
    double points = 8.25;
    bool bold = false;
    bool underline = false;
};

enum class BorderStyle { None, Sunken, Flat };
enum class TextAlign { Left, Right, Centre };

struct ControlRow {
    int order = 0; // stacking order: a lower number is drawn in front of a higher one
    const char *name = "";
    ControlKind kind = ControlKind::Label;
    const char *caption = "";
    int left = 0;   // for a line: x1
    int top = 0;    // for a line: y1
    int width = 0;  // for a line: x2
    int height = 0; // for a line: y2
    FontChoice font{};
    ColourChoice text{}; // label text; shape and line: the border or line colour
    ColourChoice back{}; // label background; button back colour; shape fill
    BorderStyle border = BorderStyle::None;
    TextAlign align = TextAlign::Left;
    bool wrap = true;
    int penWidth = 1; // shapes and lines, in pixels
    bool visible = true;
    // What a screen reader calls the control. A label is read as "<accessibleName>: <its text>",
    // so a value display tells what it shows along with the value; without it, as its text.
    const char *accessibleName = nullptr;
};
