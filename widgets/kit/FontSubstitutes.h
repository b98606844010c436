#pragma once

// The designed faces (MS Sans Serif, Arial, Arial Black, Times New Roman, Verdana) are not on a
// Linux desktop. This registers a metric-compatible installed face for each, so captions keep
// the size they were designed for. Call once after the application object exists.
namespace fonts {

void registerSubstitutes();

} // namespace fonts
