#pragma once

// Whose results a saved file holds: the main window's session or the rating window's ratings.
enum class RecordKind { Session, Ratings };
