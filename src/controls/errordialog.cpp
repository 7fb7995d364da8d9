#include "errordialog.h"

#include "platform/errorreport.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdlib>

namespace errordialog {

void install()
{
    errorreport::setHandler([](const LoadError &error, errorreport::Severity severity) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Mapurix 2.0"), error.message(),
                        QMessageBox::Ok, QApplication::activeWindow());
        box.exec();
        if (severity == errorreport::Severity::Fatal)
            std::exit(EXIT_FAILURE);
    });
}

} // namespace errordialog
