#include "widgets/kit/ClassicLook.h"

#include "widgets/kit/ClassicStyle.h"

#include <QApplication>

namespace classiclook {

namespace {

struct RoleColour {
    QPalette::ColorRole role;
    QColor colour;
};

const QColor buttonFace(212, 208, 200);
const QColor black(0, 0, 0);
const QColor white(255, 255, 255);
const QColor grey(128, 128, 128);

// The classic light desktop colours, for active and inactive windows alike.
const RoleColour kNormal[] = {
    {QPalette::Window, buttonFace},
    {QPalette::WindowText, black},
    {QPalette::Base, white},
    {QPalette::AlternateBase, QColor(236, 236, 236)},
    {QPalette::ToolTipBase, QColor(255, 255, 225)},
    {QPalette::ToolTipText, black},
    {QPalette::PlaceholderText, grey},
    {QPalette::Text, black},
    {QPalette::Button, buttonFace},
    {QPalette::ButtonText, black},
    {QPalette::BrightText, white},
    {QPalette::Light, white},
    {QPalette::Midlight, QColor(233, 231, 227)},
    {QPalette::Mid, QColor(170, 167, 160)},
    {QPalette::Dark, grey},
    {QPalette::Shadow, QColor(64, 64, 64)},
    {QPalette::Highlight, QColor(10, 36, 106)},
    {QPalette::HighlightedText, white},
    {QPalette::Link, QColor(0, 0, 255)},
    {QPalette::LinkVisited, QColor(128, 0, 128)},
};

// Disabled controls grey their texts and keep every background.
const QPalette::ColorRole kGreyedWhenDisabled[] = {QPalette::WindowText, QPalette::Text,
                                                   QPalette::ButtonText, QPalette::HighlightedText};

} // namespace

QPalette palette()
{
    QPalette p;
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (const RoleColour &entry : kNormal)
            p.setColor(group, entry.role, entry.colour);
    }
    for (const QPalette::ColorRole role : kGreyedWhenDisabled)
        p.setColor(QPalette::Disabled, role, grey);
    p.setColor(QPalette::Disabled, QPalette::Highlight, grey);
    return p;
}

void apply()
{
    // The style first: setting a style afterwards would otherwise bring its own palette.
    QApplication::setStyle(new ClassicStyle);
    QApplication::setPalette(palette());
    // A platform theme may offer its own file dialog and message box, drawn in the desktop's
    // colours, and a global menu bar outside the window; the program keeps Qt's own.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
}

} // namespace classiclook
