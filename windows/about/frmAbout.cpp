#include "windows/about/frmAbout.h"

#include "assets/Assets.h"
#include "widgets/kit/DialogFrame.h"
#include "widgets/kit/LayoutBuilder.h"
#include "widgets/kit/LineWidget.h"
#include "widgets/kit/PictureBox.h"
#include "widgets/kit/Twips.h"

#include <QIcon>
#include <QPushButton>
#include <QShortcut>

namespace {

using Role = ColourChoice::Role;

constexpr FontChoice arial{"Arial", 8.25, false, false};
constexpr FontChoice arialUnderlined{"Arial", 8.25, false, true};
constexpr FontChoice arialTitle{"Arial", 14.25, true, false};
constexpr ColourChoice black = ColourChoice::of(0, 0, 0);

// Both Line1 rows: the grey line (index 1) above the white one (index 0) make an etched rule.
constexpr int greyLineOrder = 5;
constexpr int whiteLineOrder = 8;

// clang-format off
constexpr ControlRow kRows[] = {
    // order name              kind                 caption                                  left  top   width height font
    {0, "picIcon",        ControlKind::Image,  "",                                          120,  120,  480,  480},
    {1, "cmdOK",          ControlKind::Button, "OK",                                        4320, 3480, 1260, 345},
    {2, "Label2",         ControlKind::Label,  "Version 2.02 (Release October, 2005)",      1680, 1200, 3615, 255},
    {3, "Image1",         ControlKind::Image,  "",                                          240,  960,  1260, 1380},
    {4, "Label1",         ControlKind::Label,
        "tallymere@example.org (not a link)",                                      240,  3600, 3255, 255,
        arialUnderlined, ColourChoice::of(0, 0, 255)},
    {greyLineOrder, "Line1", ControlKind::Line, "",                                          90,   2445, 5654, 2445,
        {}, ColourChoice::of(128, 128, 128), {}, BorderStyle::None, TextAlign::Left, true, 1},
    {6, "lblDescription", ControlKind::Label,
        "The Tallymere is a tool for determining quantified (frequency and duration) and "
        "perceptual  (visual analog scales) aspects of cluttering severity.",            1680, 1440, 3885, 810,
        arial, black},
    {7, "lblTitle",       ControlKind::Label,  "Tallymere",                                 720,  240,  4755, 480,
        arialTitle, black},
    {whiteLineOrder, "Line1", ControlKind::Line, "",                                         105,  2460, 5654, 2460,
        {}, ColourChoice::of(255, 255, 255), {}, BorderStyle::None, TextAlign::Left, true, 2},
    {9, "lblDisclaimer",  ControlKind::Label,
        "Tallymere was designed and written by its developers, speech-language clinicians and "
        "software engineers working together, on the model of the counter/timers used in fluency "
        "clinics. Thanks go to the clinicians and students whose trials shaped it.",       255,  2625, 5310, 945,
        arial, black},
};
// clang-format on

// The window's own tab order: the button first, so it has the focus when the window opens.
const char *const kTabOrder[] = {"cmdOK", "picIcon"};

// The main window's icon at 32 pixels, sharp at the screen's pixel ratio.
QPixmap applicationIcon(qreal ratio)
{
    return assets::applicationIcon().pixmap(twips::size(480, 480), ratio);
}

} // namespace

std::span<const ControlRow> frmAbout::layoutTable() { return kRows; }

int frmAbout::lineIndex(const ControlRow &row) { return row.order == whiteLineOrder ? 0 : 1; }

frmAbout::frmAbout(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About the Tallymere"));
    // The window is painted in the button face colour; its Window role is changed rather than
    // its background role, which the labels would inherit along with a button-text foreground.
    QPalette face = palette();
    face.setColor(QPalette::Window, layout::systemColour(ColourChoice::Role::ButtonFace));
    setPalette(face);
    setAutoFillBackground(true);
    dialogframe::apply(this, clientLeft, clientTop, clientWidth, clientHeight);

    const auto made = layout::build(this, kRows);
    m_cmdOK = qobject_cast<QPushButton *>(made.value(QStringLiteral("cmdOK")));
    m_cmdOK->setDefault(true);
    m_cmdOK->setFocusPolicy(Qt::StrongFocus);
    setTabOrder(m_cmdOK, made.value(QString::fromLatin1(kTabOrder[1])));
    connect(m_cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    tagLines();
    setPictures();
    connectKeys();
    m_cmdOK->setFocus();
}

void frmAbout::tagLines()
{
    for (LineWidget *line : findChildren<LineWidget *>(QStringLiteral("Line1"))) {
        for (const ControlRow &row : kRows) {
            if (qstrcmp(row.name, "Line1") == 0 && line->from() == twips::point(row.left, row.top))
                line->setProperty("index", lineIndex(row));
        }
    }
}

void frmAbout::setPictures()
{
    auto *icon = findChild<PictureBox *>(QStringLiteral("picIcon"));
    // The picture box takes the size of its picture: the 32-pixel application icon.
    const QPixmap pixmap = applicationIcon(devicePixelRatioF());
    icon->setPicture(pixmap);
    icon->resize(pixmap.deviceIndependentSize().toSize());
    findChild<PictureBox *>(QStringLiteral("Image1"))
        ->setPicture(QPixmap(assets::aboutDrawingPath));
}

void frmAbout::connectKeys()
{
    // The button is both the default (ENTER) and the cancel (ESC) button of the window.
    for (QKeySequence key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter),
                             QKeySequence(Qt::Key_Escape)}) {
        auto *shortcut = new QShortcut(key, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, m_cmdOK, &QPushButton::click);
    }
}

void frmAbout::cmdOK_Click() { close(); }
