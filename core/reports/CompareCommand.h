#pragma once

#include <QStringList>

class QTextStream;

// The comparison of two timelines for a study's scripts, with no window:
//   tallymere --compare A B [--interval SECONDS]
// prints the comparison's CSV header and row (the columns of a table of comparisons) and returns
// 0; a file it cannot read or compare, or a wrong command line, says so in one line on `error`
// and returns 2. "--help" prints the usage and returns 0.
namespace comparecommand {
// Whether `arguments` (without the program's name) ask for this command rather than the windows.
bool wanted(const QStringList &arguments);
int run(const QStringList &arguments, QTextStream &output, QTextStream &error);
} // namespace comparecommand
