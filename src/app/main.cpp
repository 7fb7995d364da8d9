// Mapurix 2.0: a geography game. Starts the program on its main window.
#include "app/form1.h"
#include "platform/errordialog.h"
#include "platform/qtsoundplayer.h"
#include "platform/random.h"
#include "platform/ui.h"

#include <QApplication>
#include <QIcon>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mapurix"));
    QApplication::setApplicationDisplayName(QStringLiteral("Mapurix 2.0"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/mapurix.png")));
    ui::installFontSubstitutions();
    errordialog::install();

    QtSoundPlayer sound;
    Form1 form1(sound, RandomGenerator::global());
    if (!form1.Form_Load())
        return 1;
    form1.show();
    return QApplication::exec();
}
