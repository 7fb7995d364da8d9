// The main window: map catalogue, mode options, the map and its palette, the
// quiz counters and lists, the feedback animations and the information card.
// Handlers keep their design names; the work is done by plain code in
// mapdata/, quiz/ and infocard/, and the handlers apply the results.
#pragma once

#include "mapdata/gamestate.h"
#include "quiz/quiz.h"
#include "surface/mapsurface.h"
#include "controls/twips.h"
#include "windows/platform.h"

#include <QWidget>
#include <array>
#include <functional>
#include <optional>

class Animador;
struct MapDescription;
class ClickableImage;
class FileListBox;
class MapView;
class PaletteView;
class QDialog;
class QGroupBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class RandomGenerator;
class SoundPlayer;

class Form1 : public QWidget {
    Q_OBJECT
public:
    Form1(SoundPlayer &sound, RandomGenerator &random, const Platform &platform, QWidget *parent = nullptr);
    ~Form1() override;

    // The load step: texts, sizes, state, catalogue, centring. Returns false
    // when the installation is broken (the error has been reported).
    bool Form_Load();
    // Runs whenever the window becomes active again after a modal window.
    void Form_Activate();

    // Outer size and position, in twips, as the layout rules read them.
    double outerWidth() const { return twips::outerWidth(this, twips::kTitledFrame); }
    double outerHeight() const { return twips::outerHeight(this, twips::kTitledFrame); }
    double leftTwips() const { return twips::left(this); }
    double topTwips() const { return twips::top(this); }

    const Platform platform;
    GameState state;
    Quiz quiz{state, platform.locale}; // the rules of the test, over the state above
    MapSurface surface; // the two images behind Picture1

    // Controls, named as designed.
    MapView *Picture1 = nullptr;
    PaletteView *Picture2 = nullptr;
    QLabel *Label1 = nullptr;
    std::array<Animador *, 1> Animador1{};
    Animador *Animador2 = nullptr;
    Animador *Animador3 = nullptr;
    QListWidget *List1 = nullptr;
    QListWidget *List2 = nullptr;
    std::array<QPushButton *, 2> Command1{};
    FileListBox *File1 = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *Command2 = nullptr;
    QGroupBox *Frame1 = nullptr;
    std::array<QRadioButton *, 2> Option1{};
    QListWidget *List3 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command4 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QPlainTextEdit *Text2 = nullptr;
    QLabel *Label3 = nullptr;
    ClickableImage *Image1 = nullptr;
    Animador *Animador4 = nullptr;
    QTimer *Timer1 = nullptr;
    QTimer *Timer2 = nullptr;

    // Handlers.
    void Option1_Click(int Index);
    void Command1_Click(int Index);
    void Timer2_Timer();

    // Map loading, modes and painting (mapdata/, quiz/).
    void File1_Click();
    void LoadCoordinatesFile(const MapDescription &map);
    void ArrangeQuizLayout();
    void Command3_Click();
    void List3_Click();
    void HighlightSelectedRegion();
    void Picture1_Mousedown(int Button, int Shift, double X, double Y);
    void Picture2_mousedown(int Button, int Shift, double X, double Y);
    void IdentifyPaintedRegion();
    int list3Index() const; // the selected region, as the list's index; -1 if none

    // The quiz and its feedback show (quiz/).
    void JudgeAnswer();
    void AskNextRegion();
    void Command2_Click();
    void Animador1_GifEnd(int Index);
    void Timer1_Timer();

    // The information card (infocard/form1_card.cpp).
    void ArrangeInfoCard();   // card layout at every study-mode map load
    void Command4_Click();
    void Image1_Click();

    // Shows a modal window over this one and runs the activation handler when
    // it closes, as the window system does when the main window is active again.
    int showModal(QDialog &dialog);

    static constexpr QRgb kBackColour = 0xFFE0C0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void setTabOrder();
    void centreOnScreen();
    void setLabel1Caption(const QString &text);
    bool showTestFinishedDialog(); // true when the learner chose to end the program
    void connectHandlers();
    // A report when the window around a picture of `picture` pixels would not
    // fit the screen.
    std::optional<LoadError> checkWindowFits(QSize picture, const QString &picturePath,
                                             const QString &coordinatesPath) const;

    SoundPlayer &sound;
    RandomGenerator &random;
    int list3SelectedBeforePress = -1;
};
