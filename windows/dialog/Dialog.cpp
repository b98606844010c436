#include "windows/dialog/Dialog.h"

#include "assets/Assets.h"
#include "widgets/kit/DialogFrame.h"
#include "widgets/kit/LayoutBuilder.h"
#include "widgets/kit/PictureBox.h"
#include "widgets/kit/SpaceKey.h"

#include <QPalette>
#include <QPushButton>

namespace {

constexpr ColourChoice paleCyan = ColourChoice::of(192, 255, 255);

// The paragraph of nine sentences, separated by single blanks; the label wraps it.
// clang-format off
constexpr const char *kSpecifications =
    "This is version 2.02 of the Tallymere, released in August 2005, developed in C++ with the "
    "Qt toolkit. "
    "Its timing properties are subject to limitations inherent to this development system. "
    "The timing resolution of the present is one fifth of a second. "
    "Although it appears there are three timers, in fact there is only one single timing "
    "structure. "
    "Other programs could demand attention from the CPU, as well as peripheral devices like "
    "printers and modems if they are turned on. "
    "To ensure optimal timing accuracy the Tallymere should be the only software opened by the "
    "user. "
    "This software is a sample of a larger behavioral assessment battery (Venmark: The Venmark "
    "Modules). "
    "All Venmark modules will ultimately be controlled by rigorous multi-media timers, or add-on "
    "counter-timer boards for reliability and precision. "
    "Please contact the author about the current status of the Venmark system.";

constexpr ControlRow kRows[] = {
    // order name        kind                 caption          left  top   width height
    {0, "OKButton", ControlKind::Button, "OK",            240,  4320, 1215, 375},
    {1, "Image1",   ControlKind::Image,  "",              240,  240,  1695, 2175},
    {2, "Label1",   ControlKind::Label,  kSpecifications, 2160, 240,  7815, 4575,
        {"MS Sans Serif", 12, true, false}, ColourChoice::system(ColourChoice::Role::Highlight), paleCyan},
};
// clang-format on

} // namespace

std::span<const ControlRow> Dialog::layoutTable() { return kRows; }

QString Dialog::specificationsText() { return QString::fromLatin1(kSpecifications); }

Dialog::Dialog(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(QStringLiteral("Specifications"));
    QPalette background = palette();
    background.setColor(QPalette::Window, layout::colour(paleCyan, Qt::white));
    setPalette(background);
    setAutoFillBackground(true);
    dialogframe::apply(this, clientLeft, clientTop, clientWidth, clientHeight);

    const auto made = layout::build(this, kRows);
    m_OKButton = qobject_cast<QPushButton *>(made.value(QStringLiteral("OKButton")));
    // Not a default button: ENTER acts on it only because it holds the focus, like SPACE.
    m_OKButton->setAutoDefault(true);
    m_OKButton->setFocusPolicy(Qt::StrongFocus);
    connect(m_OKButton, &QPushButton::clicked, this, &Dialog::OKButton_Click);
    // SPACE clicks the button once the key is up, a held one's repeats told apart.
    SpaceKey::instance();

    qobject_cast<PictureBox *>(made.value(QStringLiteral("Image1")))
        ->setPicture(QPixmap(assets::rabbitScanPath));
    m_OKButton->setFocus();
}

void Dialog::OKButton_Click() { close(); }
