#pragma once

#include "core/reports/JudgedTimeline.h"

#include <QString>

#include <optional>

// Reads a timeline a judge marked, for a comparison: a CSV table of a timeline Tallymere exported,
// or a Praat TextGrid (long or short text format, UTF-8 or UTF-16) with interval tiers named
// "speech" and "cluttering", Tallymere's or another program's. In a TextGrid a tick is marked
// where its midpoint lies in a labelled interval; each labelled interval is counted unless its
// label ends " open" or " dropped", as Tallymere's do, and Tallymere's intervals of 0 ticks are
// read from its point tiers. The file is only read.
namespace timelinereader {
// The timeline of `path`, or nothing and why not in `why` ("it is not ...").
std::optional<JudgedTimeline> read(const QString &path, QString *why);
} // namespace timelinereader
