#include "form2.h"

#include "windows/form1.h"
#include "localisation/languagefile.h"
#include "controls/ui.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr double kClientWidth = 3885;
constexpr double kClientHeight = 2460;
} // namespace

Form2::Form2(Form1 &owner) : QDialog(&owner), form1(owner)
{
    // A fixed dialog border and no title bar: no caption, no control box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    ui::setBackColour(this, 0xC0C0FF);
    twips::setOuterSize(this, twips::kDialogFrame, kClientWidth + twips::kDialogFrame.widthTwips,
                        kClientHeight + twips::kDialogFrame.heightTwips);
    setFixedSize(size());

    Label2 = ui::plainLabel(this, QStringLiteral("Prueba finalizada"));
    Label2->setFont(ui::designFont(QStringLiteral("Arial"), 27.75, true));
    ui::setTextColour(Label2, 0x0000FF);
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    twips::setGeometry(Label2, 600, 240, 3015, 1455);

    const QRgb colours[2] = {0x00C000, 0xFF8080};
    const char *captions[2] = {"Otra prueba", "Fin"};
    for (int i = 0; i < 2; ++i) {
        auto *button = new QPushButton(QString::fromUtf8(captions[i]), this);
        ui::setButtonColour(button, colours[i]);
        button->setFont(ui::designFont(QStringLiteral("MS Sans Serif"), 9.75, true));
        button->setAutoDefault(false);
        twips::setGeometry(button, i == 0 ? 120 : 2040, 1800, 1695, 495);
        connect(button, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        Command1[std::size_t(i)] = button;
    }
    Command1[0]->setFocus();
}

void Form2::Form_Load()
{
    const double left = form1.leftTwips();
    const double top = form1.outerHeight() - twips::outerHeight(this, twips::kDialogFrame) + form1.topTwips();
    move(units::toPixels(left), units::toPixels(top));
    form1.Command2->setEnabled(false);

    // The file is read afresh at every showing; lines it lacks (or a file
    // removed while the game runs) fall back to the built-in texts.
    const auto loaded = LanguageFile::load(form1.platform.programFolder);
    const LanguageFile language =
        std::holds_alternative<LanguageFile>(loaded) ? std::get<LanguageFile>(loaded) : LanguageFile();
    Label2->setText(language.line(10));
    ui::setCaption(Command1[0], language.line(11));
    ui::setCaption(Command1[1], language.line(12));
    Command1[0]->setFocus();
}

void Form2::Command1_Click(int Index)
{
    if (Index != 0) {
        chosen = Ending::EndProgram;
        done(QDialog::Rejected);
        return;
    }
    chosen = Ending::AnotherTest;
    form1.state.shared.anotherTestRequested = true;
    done(QDialog::Accepted);
}

void Form2::reject()
{
    // Esc: the dialog has only its two ways out.
}

void Form2::closeEvent(QCloseEvent *event)
{
    // Closing through the window system is not one of them either.
    if (chosen == Ending::None)
        event->ignore();
    else
        QDialog::closeEvent(event);
}
