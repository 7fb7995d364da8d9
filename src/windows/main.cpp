// Mapurix 2.0: a geography game. Starts the program on its title screen,
// whose button opens the main window.
#include "windows/form3.h"
#include "controls/errordialog.h"
#include "controls/qtsoundplayer.h"
#include "platform/random.h"
#include "platform/datafiles.h"
#include "windows/application.h"
#include "windows/platform.h"

#include <QApplication>
#include <cstdlib>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setUpApplication();

    // Only here is it decided that the program ends: "Fin", or a broken
    // installation reported by a window.
    MessageBoxErrorReport errors;
    const Platform platform{errors, datafiles::executableFolder(), AnimadorSettings{}, QLocale(),
                            [](int code) { QCoreApplication::exit(code); }};
    QtSoundPlayer sound;
    Form3 form3(sound, RandomGenerator::global(), platform);
    if (!form3.Form_Load())
        return EXIT_FAILURE;
    form3.show();
    return QApplication::exec();
}
