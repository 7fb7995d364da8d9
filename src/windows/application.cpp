#include "windows/application.h"

#include "controls/ui.h"

#include <QApplication>
#include <QIcon>
#include <QStyleFactory>

void setUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("mapurix"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/mapurix-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    ui::installFontSubstitutions();
    // Controls without a designed font use the toolkit's classic default.
    QApplication::setFont(ui::designFont(QStringLiteral("MS Sans Serif"), 8.25));
}
