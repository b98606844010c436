#include "windows/main/Form1Layout.h"

#include <array>

namespace form1layout {

namespace {

using Role = ColourChoice::Role;

constexpr FontChoice sans825b{"MS Sans Serif", 8.25, true};
constexpr FontChoice sans975{"MS Sans Serif", 9.75, false};
constexpr FontChoice sans975b{"MS Sans Serif", 9.75, true};
constexpr FontChoice arialBlack975{"Arial Black", 9.75, false};
constexpr FontChoice arial2175b{"Arial", 21.75, true};
constexpr FontChoice arial12b{"Arial", 12, true};
constexpr FontChoice times12b{"Times New Roman", 12, true};

constexpr ColourChoice rgb(int r, int g, int b) { return ColourChoice::of(r, g, b); }
constexpr ColourChoice clear = ColourChoice::transparent();
constexpr ColourChoice windowText = ColourChoice::system(Role::WindowText);
constexpr ColourChoice highlight = ColourChoice::system(Role::Highlight);

constexpr ColourChoice teal = rgb(0, 128, 128);
constexpr ColourChoice red = rgb(255, 0, 0);
constexpr ColourChoice blue = rgb(0, 0, 255);
constexpr ColourChoice paleCyan = rgb(192, 255, 255);
constexpr ColourChoice lightGrey = rgb(224, 224, 224);
constexpr ColourChoice white = rgb(255, 255, 255);

constexpr const char *instructions =
    "    This tool is a dual event-duration counter/timer designed for the assessment of "
    "cluttering severity. It helps determine how often one clutters, and how much one's "
    "speech is affected by cluttering. The left-most timer works like a stopwatch and simply "
    "keeps track of overall sample duration. The speech counter/timer (controlled with the "
    "left mouse button) tracks number and duration of perceived speaking intervals "
    "(regardless of the possible presence of cluttering). The cluttering counter/timer "
    "(right mouse button) is used for tracking number and duration of intervals during which "
    "cluttering is perceived by the clinician. If the cluttering counter/timer is pressed by "
    "itself by mistake, that is without also pressing the speech counter/timer, this will be "
    "considered speaking time in the final results. A session is started by pressing the "
    "SPACEBAR (or when using a remote mouse: by pressing the MOUSEWHEEL). To stop, or "
    "interrupt, a session the SPACEBAR (or MOUSEWHEEL) is pressed again. Computed results "
    "are available each time when a session is stopped, or paused. A RESET button appears "
    "which (optionally) clears all data and initiates a new recording cycle. Alternately, "
    "the current timing session may be resumed by pressing the SPACEBAR (or MOUSEWHEEL) as "
    "many times as needed to complete the analysis. In order to be able to use a mouse for "
    "timing purposes it is important to keep the pointer on the right side of the screen "
    "while a recording is in progress. This is not necessary when a second mouse is used "
    "with its motion sensor disabled, for example by removing the ball or taping over the "
    "sensor if it involves an optical mouse. This prevents accidental movements with the "
    "mouse. Finally, when using a wireless mouse speech may be analyzed naturally without "
    "the need to be close to the computer.";

// Labels whose caption is designed to fit one line are not wrapped: in a substitute face a
// caption a few pixels longer than designed must not drop its last word below the box.
// clang-format off
constexpr std::array table{
    // Counter/timer section.
    ControlRow{.order = 1, .name = "Command2", .kind = ControlKind::Button, .caption = "RESET",
                .left = 600, .top = 1695, .width = 855, .height = 280, .font = sans825b,
                .accessibleName = "Reset all counters for a new sample"},
    ControlRow{.order = 3, .name = "Command1", .kind = ControlKind::Button,
                .caption = "SPACE BAR (or MOUSE WHEEL)   to  START",
                .left = 480, .top = 2640, .width = 6375, .height = 375, .font = arialBlack975,
                .back = rgb(255, 192, 192)},
    ControlRow{.order = 4, .name = "Label27", .caption = "Counter/Timer Section:",
                .left = 600, .top = 120, .width = 6255, .height = 615, .font = arial2175b,
                .text = teal, .back = clear, .wrap = false},
    ControlRow{.order = 5, .name = "Label26", .caption = "t",
                .left = 5730, .top = 1680, .width = 195, .height = 300, .font = sans975,
                .text = red, .back = clear, .wrap = false},
    ControlRow{.order = 6, .name = "Label25", .caption = "#",
                .left = 5730, .top = 2040, .width = 195, .height = 300, .font = sans975,
                .text = red, .back = clear, .wrap = false},
    ControlRow{.order = 7, .name = "Label24", .caption = "t",
                .left = 3570, .top = 1680, .width = 135, .height = 180, .font = sans975,
                .text = paleCyan, .back = clear, .wrap = false},
    ControlRow{.order = 8, .name = "Label23", .caption = "#",
                .left = 3570, .top = 2040, .width = 195, .height = 300, .font = sans975,
                .text = paleCyan, .back = clear, .wrap = false},
    ControlRow{.order = 20, .name = "Line1", .kind = ControlKind::Line,
                .left = 480, .top = 1580, .width = 6840, .height = 1560, .text = rgb(0, 0, 0),
                .penWidth = 2},
    ControlRow{.order = 21, .name = "RightNumber", .left = 5880, .top = 2040, .width = 855,
                .height = 270, .font = sans975b, .text = red, .back = paleCyan,
                .border = BorderStyle::Sunken, .align = TextAlign::Right, .wrap = false,
                .accessibleName = "Number of cluttering intervals"},
    ControlRow{.order = 22, .name = "LeftNumber", .left = 3720, .top = 2040, .width = 855,
                .height = 270, .font = sans975b, .text = teal, .back = paleCyan,
                .border = BorderStyle::Sunken, .align = TextAlign::Right, .wrap = false,
                .accessibleName = "Number of speaking intervals"},
    ControlRow{.order = 31, .name = "Label1", .left = 1560, .top = 1680, .width = 855,
                .height = 285, .font = sans975b, .back = lightGrey,
                .border = BorderStyle::Sunken, .align = TextAlign::Right, .wrap = false,
                .accessibleName = "Sample duration in seconds"},
    ControlRow{.order = 33, .name = "MarkedTime", .left = 5880, .top = 1680, .width = 840,
                .height = 270, .font = sans975b, .text = red, .back = paleCyan,
                .border = BorderStyle::Sunken, .align = TextAlign::Right, .wrap = false,
                .accessibleName = "Cluttering time in seconds"},
    ControlRow{.order = 34, .name = "Clock", .left = 3720, .top = 1680, .width = 855,
                .height = 270, .font = sans975b, .text = teal, .back = paleCyan,
                .border = BorderStyle::Sunken, .align = TextAlign::Right, .wrap = false,
                .accessibleName = "Talking time in seconds"},
    ControlRow{.order = 37, .name = "Label2", .caption = " Stopwatch (in s)",
                .left = 480, .top = 1080, .width = 2055, .height = 1425, .font = sans825b,
                .text = windowText, .back = lightGrey, .border = BorderStyle::Flat,
                .align = TextAlign::Centre},
    ControlRow{.order = 38, .name = "Label3", .caption = " Speech counter/timer (left mouse button)",
                .left = 2520, .top = 1080, .width = 2175, .height = 1425, .font = sans825b,
                .text = paleCyan, .back = rgb(0, 192, 192), .border = BorderStyle::Flat,
                .align = TextAlign::Centre},
    ControlRow{.order = 39, .name = "Label4",
                .caption = " Cluttering counter/timer (right mouse button)",
                .left = 4680, .top = 1080, .width = 2175, .height = 1425, .font = sans825b,
                .text = red, .back = rgb(255, 224, 192), .border = BorderStyle::Flat,
                .align = TextAlign::Centre},
    ControlRow{.order = 40, .name = "Shape1", .kind = ControlKind::Shape,
                .left = 240, .top = 720, .width = 6855, .height = 2535,
                .text = rgb(128, 128, 128), .back = rgb(192, 192, 192), .penWidth = 2},

    // Computed results section.
    ControlRow{.order = 9, .name = "Label18", .caption = "Computed Results:",
                .left = 1320, .top = 4200, .width = 4575, .height = 615, .font = arial2175b,
                .text = teal, .back = clear, .wrap = false},
    ControlRow{.order = 27, .name = "Label8", .caption = " Percentage durations until last stop :",
                .left = 480, .top = 5280, .width = 6375, .height = 375, .font = sans975b,
                .text = paleCyan, .back = teal, .border = BorderStyle::Sunken, .wrap = false},
    ControlRow{.order = 26, .name = "Label10", .caption = "% sample duration spoken : ",
                .left = 720, .top = 5760, .width = 5175, .height = 270, .font = times12b,
                .text = teal, .back = lightGrey, .wrap = false},
    ControlRow{.order = 30, .name = "Label5", .left = 5880, .top = 5760, .width = 735,
                .height = 255, .font = sans975b, .text = blue, .back = white,
                .border = BorderStyle::Sunken, .align = TextAlign::Right, .wrap = false,
                .accessibleName = "Percentage of sample duration spoken"},
    ControlRow{.order = 25, .name = "Label11", .caption = "% sample duration cluttered : ",
                .left = 720, .top = 6120, .width = 5175, .height = 270, .font = times12b,
                .text = teal, .back = lightGrey, .wrap = false},
    ControlRow{.order = 29, .name = "Label6", .left = 5880, .top = 6120, .width = 735,
                .height = 255, .font = sans975b, .text = red, .back = white,
                .border = BorderStyle::Sunken, .align = TextAlign::Right, .wrap = false,
                .accessibleName = "Percentage of sample duration cluttered"},
    ControlRow{.order = 24, .name = "Label12", .caption = "% talking time cluttered  :",
                .left = 720, .top = 6480, .width = 5175, .height = 270, .font = times12b,
                .text = teal, .back = lightGrey, .wrap = false},
    ControlRow{.order = 28, .name = "Label7", .left = 5880, .top = 6480, .width = 735,
                .height = 255, .font = sans975b, .text = red, .back = white,
                .border = BorderStyle::Sunken, .align = TextAlign::Right, .wrap = false,
                .accessibleName = "Percentage of talking time cluttered"},
    ControlRow{.order = 36, .name = "Shape4", .kind = ControlKind::Shape,
                .left = 240, .top = 5040, .width = 6855, .height = 1815,
                .text = rgb(128, 128, 128), .back = lightGrey, .penWidth = 2},
    ControlRow{.order = 17, .name = "Label16",
                .caption = " Mean interval durations until last stop :",
                .left = 480, .top = 7320, .width = 6375, .height = 375, .font = sans975b,
                .text = paleCyan, .back = teal, .border = BorderStyle::Sunken, .wrap = false},
    ControlRow{.order = 19, .name = "Label14", .caption = "Speaking intervals (in s) :",
                .left = 720, .top = 7800, .width = 5055, .height = 255, .font = sans975b,
                .text = teal, .back = lightGrey, .wrap = false},
    ControlRow{.order = 16, .name = "AvgSpeechInterval", .caption = " ",
                .left = 5880, .top = 7800, .width = 735, .height = 255, .font = sans975b,
                .text = blue, .back = white, .border = BorderStyle::Sunken,
                .align = TextAlign::Right, .wrap = false,
                .accessibleName = "Mean speaking interval in seconds"},
    ControlRow{.order = 18, .name = "Label15", .caption = "Cluttering intervals (in s) :",
                .left = 720, .top = 8160, .width = 5175, .height = 255, .font = sans975b,
                .text = teal, .back = lightGrey, .wrap = false},
    ControlRow{.order = 15, .name = "AvgClutteringInterval", .left = 5880, .top = 8160,
                .width = 735, .height = 255, .font = sans975b, .text = red, .back = white,
                .border = BorderStyle::Sunken, .align = TextAlign::Right, .wrap = false,
                .accessibleName = "Mean cluttering interval in seconds"},
    ControlRow{.order = 41, .name = "Shape3", .kind = ControlKind::Shape,
                .left = 240, .top = 7080, .width = 6855, .height = 1455, .text = windowText,
                .back = lightGrey, .penWidth = 1},
    ControlRow{.order = 10, .name = "Label17",
                .caption = " Cluttering interval rates until last stop :",
                .left = 480, .top = 9000, .width = 6375, .height = 375, .font = sans975b,
                .text = paleCyan, .back = teal, .border = BorderStyle::Sunken, .wrap = false},
    ControlRow{.order = 13, .name = "Label20",
                .caption = "# cluttering intervals/min using sample duration:",
                .left = 720, .top = 9480, .width = 4935, .height = 255, .font = sans975b,
                .text = teal, .back = lightGrey, .wrap = false},
    ControlRow{.order = 14, .name = "Label19", .left = 5760, .top = 9480, .width = 855,
                .height = 255, .font = sans975b, .text = red, .back = white,
                .border = BorderStyle::Sunken, .align = TextAlign::Right, .wrap = false,
                .accessibleName = "Cluttering intervals per minute of sample duration"},
    ControlRow{.order = 11, .name = "Label22",
                .caption = "# cluttering intervals/min using talking time:",
                .left = 720, .top = 9840, .width = 4575, .height = 255, .font = sans975b,
                .text = teal, .back = lightGrey, .wrap = false},
    ControlRow{.order = 12, .name = "Label21", .left = 5760, .top = 9840, .width = 855,
                .height = 255, .font = sans975b, .text = red, .back = white,
                .border = BorderStyle::Sunken, .align = TextAlign::Right, .wrap = false,
                .accessibleName = "Cluttering intervals per minute of talking time"},
    ControlRow{.order = 42, .name = "Shape5", .kind = ControlKind::Shape,
                .left = 240, .top = 8760, .width = 6855, .height = 1455, .text = windowText,
                .back = lightGrey, .penWidth = 1},

    // Instructions section.
    ControlRow{.order = 23, .name = "Label13", .caption = "Instructions:",
                .left = 7320, .top = 120, .width = 7605, .height = 570, .font = arial2175b,
                .text = teal, .back = clear, .align = TextAlign::Centre, .wrap = false},
    ControlRow{.order = 32, .name = "Instructions", .caption = instructions,
                .left = 7560, .top = 1080, .width = 7215, .height = 8775, .font = arial12b,
                .text = rgb(255, 255, 128), .back = highlight,
                .accessibleName = "Instructions"},
    ControlRow{.order = 35, .name = "Shape2", .kind = ControlKind::Shape,
                .left = 7200, .top = 720, .width = 7935, .height = 9495,
                .text = rgb(192, 192, 192), .back = highlight, .penWidth = 2},
};
// clang-format on

} // namespace

std::span<const ControlRow> rows() { return table; }

const char *instructionsText() { return instructions; }

} // namespace form1layout
