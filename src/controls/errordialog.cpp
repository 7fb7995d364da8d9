#include "errordialog.h"

#include <QApplication>
#include <QMessageBox>

void MessageBoxErrorReport::report(const LoadError &error, errorreport::Severity /*severity*/)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Mapurix 2.0"), error.message(), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}
