// The start-up screen: the title changing colour, two animations, the
// credits, and the button that opens the main window.
#pragma once

#include <QWidget>
#include <QPixmap>
#include <array>
#include <memory>

class Animador;
class Form1;
class QLabel;
class QPushButton;
class QTimer;
class RandomGenerator;
class SoundPlayer;

class Form3 : public QWidget {
    Q_OBJECT
public:
    // The screen draws its title colours from `random`, which nothing has
    // seeded yet, so every start shows the same sequence; the main window it
    // opens gets the same sound player and generator.
    Form3(SoundPlayer &sound, RandomGenerator &random, QWidget *parent = nullptr);
    ~Form3() override;

    // The load step: centring, the two animations, the button's caption.
    // Returns false when the language file is missing (the error has been
    // reported).
    bool Form_Load();

    void Timer1_Timer();
    void Command1_Click();

    // The main window, once the button has opened it.
    Form1 *mainWindow() const { return form1.get(); }

    double outerWidth() const;
    double outerHeight() const;

    QLabel *Label1 = nullptr;
    Animador *Animador1 = nullptr;
    Animador *Animador2 = nullptr;
    QLabel *Label3 = nullptr;
    std::array<QLabel *, 6> Label2{};
    QPushButton *Command1 = nullptr;
    QTimer *Timer1 = nullptr;

    static constexpr QRgb kBackColour = 0xFFC080;
    static constexpr int kClientWidthTwips = 8220;
    static constexpr int kClientHeightTwips = 5505;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void createControls();

    SoundPlayer &sound;
    RandomGenerator &random;
    QPixmap background;
    std::unique_ptr<Form1> form1;
};
