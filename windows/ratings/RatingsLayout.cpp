#include "windows/ratings/RatingsLayout.h"

#include "core/ratings/ScaleTable.h"

#include <vector>

namespace ratingslayout {

namespace {

constexpr ColourChoice sky = ColourChoice::of(192, 255, 255);
constexpr ColourChoice peach = ColourChoice::of(255, 224, 192);
constexpr ColourChoice blue = ColourChoice::of(0, 0, 255);
constexpr ColourChoice buttonText = ColourChoice::system(ColourChoice::Role::ButtonText);

constexpr FontChoice titleFont{"Verdana", 12, true, false};
constexpr FontChoice anchorFont{"Times New Roman", 11.25, true, false};
constexpr FontChoice scoreFont{"MS Sans Serif", 12, true, false};
constexpr FontChoice headFont{"MS Sans Serif", 9.75, true, false};

const char *const instruction =
    "     With this tool one may express perceptual evaluations of clinical features which are "
    "thought to be relevant for describing cluttering severity. When entering ratings, they are "
    "instantly converted to their corresponding numerical representation. To enter a rating move "
    "the mouse cursor over a desired location of a scoring bar, and click. This leaves a red line "
    "at this location. A rating may be changed at any time by clicking elsewhere on this same bar. "
    "Results are available both on a scale of 0-100 (%) and 1-9 (like typically done in case of "
    "speech naturalness ratings). The results may be hidden or made visible by the user. A print "
    "out of the numerical results may be obtained under File/Print.";

//  order name       kind                 caption         left  top   width  height font colours
const ControlRow frameRow{0,     "Frame1", ControlKind::Label,           "Instruction:", 240,  120,
                          14775, 1935,     {"Arial", 15.75, true, true}, blue,           peach};

const ControlRow frameRows[] = {
    {1,
     "Label1",
     ControlKind::Label,
     instruction,
     120,
     360,
     14415,
     1455,
     {"Times New Roman", 12, true, false},
     blue,
     peach},
};

ControlRow caption(int order, const LabelBox &box, int top, FontChoice font, ColourChoice text)
{
    return {order, box.name,  ControlKind::Label, box.caption, box.left,
            top,   box.width, box.height,         font,        text,
            sky};
}

ControlRow scoreBox(int order, const char *name, int left, int width, int top, ColourChoice text,
                    ColourChoice back)
{
    ControlRow row{order, name,  ControlKind::Label,    " ",       left,
                   top,   width, ScaleTable::boxHeight, scoreFont, text,
                   back};
    row.border = BorderStyle::Sunken;
    return row;
}

std::vector<ControlRow> makeControls()
{
    std::vector<ControlRow> rows{
        {2, "Label3", ControlKind::Label, "Scale (0-100)", 12360, 2400, 1455, 255, headFont,
         buttonText, sky},
        {3, "Label2", ControlKind::Label, "Scale (1-9)", 13920, 2400, 1215, 270, headFont,
         buttonText, sky},
    };
    int order = 4;
    for (const ScaleRow &s : ScaleTable::rows()) {
        rows.push_back(
            caption(order++, s.titleLabel, s.captionTop, titleFont, ColourChoice::of(0, 128, 0)));
        rows.push_back(caption(order++, s.leftAnchor, s.captionTop, anchorFont, buttonText));
        rows.push_back(caption(order++, s.rightAnchor, s.captionTop, anchorFont, buttonText));
        rows.push_back(scoreBox(order++, s.scoreName, ScaleTable::scoreLeft, ScaleTable::scoreWidth,
                                s.barTop, ColourChoice::of(255, 0, 0),
                                ColourChoice::of(255, 255, 192)));
        rows.push_back(scoreBox(order++, s.nineName, ScaleTable::nineLeft, ScaleTable::nineWidth,
                                s.barTop, blue, ColourChoice::of(192, 255, 192)));
    }
    return rows;
}

std::vector<BarRow> makeBars()
{
    std::vector<BarRow> rows;
    for (const ScaleRow &s : ScaleTable::rows())
        rows.push_back({s.barName, ScaleTable::barLeft, s.barTop, ScaleTable::barWidth,
                        ScaleTable::barHeight, s.tabIndex});
    return rows;
}

} // namespace

const ControlRow &frame() { return frameRow; }

std::span<const ControlRow> frameControls() { return frameRows; }

std::span<const ControlRow> controls()
{
    static const std::vector<ControlRow> rows = makeControls();
    return rows;
}

std::span<const BarRow> bars()
{
    static const std::vector<BarRow> rows = makeBars();
    return rows;
}

QStringList numberControls()
{
    QStringList names{QStringLiteral("Label3"), QStringLiteral("Label2")};
    for (const ScaleRow &s : ScaleTable::rows())
        names << QString::fromLatin1(s.nineName) << QString::fromLatin1(s.scoreName);
    return names;
}

} // namespace ratingslayout
