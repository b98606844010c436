#pragma once

// Whose results a saved file holds: the main window's session, the rating window's ratings, or a
// comparison of two timelines.
enum class RecordKind { Session, Ratings, Comparison };

// How the messages and the file dialog name each kind.
struct RecordNames {
    const char *subject;    // "the session", as the messages begin
    const char *verb;       // "was", or "were" for the ratings
    const char *possessive; // "the session's"
    const char *held;       // what a table of them holds: "sessions"
    const char *data;       // "session data"
    const char *file;       // a PDF's name: "Tallymere session 2026-12-09 14-32.pdf"
    const char *table;      // a table's name: "Tallymere sessions.csv"
};

constexpr RecordNames recordNames(RecordKind kind)
{
    switch (kind) {
    case RecordKind::Session:
        return {"the session",  "was",     "the session's", "sessions",
                "session data", "session", "sessions"};
    case RecordKind::Ratings:
        return {"the ratings",  "were",    "the ratings'", "perceptual ratings",
                "ratings data", "ratings", "ratings"};
    case RecordKind::Comparison: break;
    }
    return {"the comparison",  "was",        "the comparison's", "comparisons",
            "comparison data", "comparison", "comparisons"};
}
