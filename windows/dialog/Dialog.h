#pragma once

// The Specifications window: one paragraph on the program's timing and its family of modules,
// beside a scanned cartoon, closed by its OK button.
//
// Architecture: a thin window built from the layout table below (one row per control, in
// twips) through layout::build. OKButton is the only control that takes the focus, so SPACE and
// ENTER reach it whenever the window is active and close the window through OKButton_Click; it is
// neither a default nor a cancel button, so ESC does nothing here. SPACE closes the window when it
// is let go, as a button clicks; a held SPACE's auto-repeats are told apart by the program's
// SpaceKey, so the window closes only once the key is really up. Closing deletes the window; the
// navigator builds a fresh one at the next opening.

#include "widgets/kit/ControlRow.h"

#include <QWidget>

#include <span>

class QPushButton;

class Dialog : public QWidget {
    Q_OBJECT
public:
    explicit Dialog(QWidget *parent = nullptr);

    static std::span<const ControlRow> layoutTable();
    // The nine sentences of the Specifications text, joined by single blanks.
    static QString specificationsText();

    static constexpr int clientLeft = 2715;
    static constexpr int clientTop = 2730;
    static constexpr int clientWidth = 10095;
    static constexpr int clientHeight = 4860;

private slots:
    void OKButton_Click();

private:
    QPushButton *m_OKButton = nullptr;
};
