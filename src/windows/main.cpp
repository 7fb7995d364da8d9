// Mapurix 2.0: a geography game. Starts the program on its title screen,
// whose button opens the main window.
#include "windows/form3.h"
#include "controls/errordialog.h"
#include "controls/qtsoundplayer.h"
#include "platform/random.h"
#include "controls/ui.h"

#include <QApplication>
#include <QIcon>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mapurix"));
    QApplication::setApplicationDisplayName(QStringLiteral("Mapurix 2.0"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/mapurix-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    ui::installFontSubstitutions();
    // Controls without a designed font use the toolkit's classic default.
    QApplication::setFont(ui::designFont(QStringLiteral("MS Sans Serif"), 8.25));
    errordialog::install();

    QtSoundPlayer sound;
    Form3 form3(sound, RandomGenerator::global());
    if (!form3.Form_Load())
        return 1;
    form3.show();
    return QApplication::exec();
}
