#pragma once

#include "core/ratings/RatingFields.h"

#include <QStringView>

#include <span>

// A caption label of a scale row: its name, caption and box in twips (its top is the row's
// caption top).
struct LabelBox {
    const char *name;
    const char *caption;
    int left;
    int width;
    int height;
};

// One of the nine visual analog scales: what it is called on screen and on the printed report,
// the controls that show it, where they stand, and the rating field it keeps.
struct ScaleRow {
    const char *title;       // the window's title caption
    const char *reportLabel; // the printed report's own name for the feature
    LabelBox titleLabel;
    LabelBox leftAnchor;  // the end that scores 0 % and 1.0
    LabelBox rightAnchor; // the end that scores 100 % and 9.0
    const char *barName;
    const char *scoreName;        // the 0-100 box
    const char *nineName;         // the 1-9 box
    const char *scorePlaceholder; // the 0-100 box's text after every load
    float RatingFields::*field;
    bool RatingFields::*rated;
    int captionTop; // twips
    int barTop;     // twips; the score boxes stand level with the bar
    int tabIndex;   // the bars' designed tab order
};

// The nine scales in screen order, which is also the order of the printed report, and the boxes
// every row shares. All positions in twips from the top-left corner of the client area.
class ScaleTable {
public:
    static constexpr int count = 9;

    static constexpr int barLeft = 240;
    static constexpr int barWidth = 11745; // 783 pixels: a 779-pixel drawing area in a 2-pixel edge
    static constexpr int barHeight = 375;  // 25 pixels: 21 inside the edge
    static constexpr int scoreLeft = 12360;
    static constexpr int scoreWidth = 1215;
    static constexpr int nineLeft = 13920;
    static constexpr int nineWidth = 1095;
    static constexpr int boxHeight = 375;
    static constexpr int titleHeight = 300;

    static constexpr const char *nonePlaceholder = " None";

    static std::span<const ScaleRow> rows();
    static const ScaleRow *byBar(QStringView barName);
};
