#pragma once

#include <QString>

// The recording a session was marked on, as its timeline names it: the file's name and its length
// in milliseconds. Empty for a session marked without one.
struct SessionRecording {
    QString name;
    qint64 milliseconds = 0;

    bool isEmpty() const { return name.isEmpty(); }
    // The length in seconds, to the millisecond: "83.205".
    QString secondsText() const { return QString::number(double(milliseconds) / 1000, 'f', 3); }
};
