#include "errordialog.h"

#include <QApplication>
#include <QMessageBox>

void MessageBoxErrorReport::report(const LoadError &error, errorreport::Severity /*severity*/)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Mapurix 2.0"), QString(), QMessageBox::Ok,
                    QApplication::activeWindow());
    // The report quotes file names and lines of the files: text, never markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(error.message());
    box.exec();
}
