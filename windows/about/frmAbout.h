#pragma once

// The About window: the program's name, version, one-sentence description, credits and contact
// line, the application icon and a line drawing, closed by its OK button.
//
// Architecture: a thin window. Its controls come from the layout table below (one row per
// control, in twips) through layout::build; the only handler, cmdOK_Click, closes the window,
// which deletes it (the navigator builds a fresh one at the next opening). ENTER and ESC are
// window-wide shortcuts for cmdOK, so they close the window whatever control has the focus.
// Line1 exists twice, as in the design: both widgets are named "Line1" and carry a dynamic
// property "index" (0: the white line, 1: the grey line), see lineIndex().

#include "widgets/kit/ControlRow.h"

#include <QWidget>

#include <span>

class QPushButton;

class frmAbout : public QWidget {
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);

    // The design, shared with the tests that check the live window against it.
    static std::span<const ControlRow> layoutTable();
    // Index of a Line1 row of the table, told apart by its stacking order.
    static int lineIndex(const ControlRow &row);

    static constexpr int clientLeft = 4545;
    static constexpr int clientTop = 3930;
    static constexpr int clientWidth = 5730;
    static constexpr int clientHeight = 3960;

private slots:
    void cmdOK_Click();

private:
    void tagLines();
    void setPictures();
    void connectKeys();

    QPushButton *m_cmdOK = nullptr;
};
