#include "loaderror.h"

#include <QDir>

QString LoadError::message() const
{
    QString text = QStringLiteral("No se puede usar el archivo «%1».").arg(QDir::toNativeSeparators(file));
    if (line > 0) {
        text += QStringLiteral("\nLínea %1").arg(line);
        if (!field.isEmpty())
            text += QStringLiteral(", %1").arg(field);
        text += u':';
    }
    text += u'\n' + what;
    return text;
}
