#pragma once

// The rating window: nine visual analog scales, their two score boxes each, the instruction
// frame and a menu to print, save as PDF or export the ratings, hide or show the numbers and
// return to the main window.
//
// Architecture: the window is thin. Its design is the twips table of RatingsLayout (the scale
// rows come from ScaleTable); the arithmetic of a press is RatingCore's; the nine ratings live
// in a RatingFields owned by whoever opens the window, so they outlive it. Each load builds the
// controls afresh (numbers shown) and shows each kept rating, mark and scores, on its bar; a
// scale never rated shows its placeholders. Closing deletes the window. The
// handlers keep the designer's names (<control>_<event>) and only pass between core and controls.

#include <QHash>
#include <QMainWindow>

struct RatingFields;
struct ScaleRow;
class QAction;
class ReportDelivery;
class QMenu;

class CluttteringScalesForm : public QMainWindow {
    Q_OBJECT
public:
    // Builds the window maximized, with the controls of a fresh load; show() it to open it.
    // Its reports go through `delivery`, which must outlive it.
    CluttteringScalesForm(RatingFields &fields, ReportDelivery &delivery,
                          QWidget *parent = nullptr);

    // Creates the window on `fields` and shows it, modeless.
    static CluttteringScalesForm *open(RatingFields &fields, ReportDelivery &delivery);

private:
    void Form_Load();
    void SpeakingRateScale_MouseDown(int button, int shift, float x, float y);
    void RateRegularityScale_MouseDown(int button, int shift, float x, float y);
    void DisfluencyScale_MouseDown(int button, int shift, float x, float y);
    void SyllableProductionIntegrityScale_MouseDown(int button, int shift, float x, float y);
    void OverallArticulationAccuracyScale_MouseDown(int button, int shift, float x, float y);
    void NaturalnessScale_MouseDown(int button, int shift, float x, float y);
    void PragmaticLanguageAppropriatenessScale_MouseDown(int button, int shift, float x, float y);
    void LanguageCoherenceScale_MouseDown(int button, int shift, float x, float y);
    void ThoughtOrganizationScale_MouseDown(int button, int shift, float x, float y);
    void MnuHideNumbersHide_Click();
    void MnuHideNumbersShow_Click();
    void MnuFilExit_Click();
    void MnuHardCopy_Click();
    void MnuFilSavePdf_Click();
    void MnuFilExport_Click();

    using MouseDownHandler = void (CluttteringScalesForm::*)(int, int, float, float);
    static const MouseDownHandler barHandlers[]; // in the order of ScaleTable::rows()

    void buildControls();
    void buildFrame(QWidget *client);
    void buildBars(QWidget *client);
    void nameForReaders();
    void buildMenu();
    QAction *addItem(QMenu *menu, const char *name, const QString &caption,
                     void (CluttteringScalesForm::*handler)());
    void pressScale(const char *barName, float x);
    void showKeptRating(const ScaleRow &row);
    void setNumbersVisible(bool visible);
    void setText(const char *name, const QString &text);

    RatingFields &m_fields;
    ReportDelivery &m_delivery;
    QHash<QString, QWidget *> m_controls;
};
