// A program folder for window tests: the language file, a catalogue of small
// maps drawn here, and a recorder in place of the error message box.
#pragma once

#include "platform/errorreport.h"
#include "platform/textfile.h"
#include "windows/platform.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <vector>

namespace fixtures {

constexpr QRgb kSea = 0xA0C8F0;
constexpr QRgb kLine = 0x202020;

// 200 x 150 pixels, three regions drawn with 1-pixel lines and no
// antialiasing: Alfa (mainland and an island), Beta (one area), Gamma (three
// areas).
inline QImage drawThreeRegionMap()
{
    QImage image(200, 150, QImage::Format_RGB32);
    image.fill(kSea);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(kLine));
    p.setBrush(Qt::white);
    const QRect areas[] = {{10, 10, 50, 50},  {10, 100, 20, 20}, {70, 10, 50, 50},
                           {130, 10, 50, 50}, {130, 80, 20, 20}, {160, 80, 20, 20}};
    for (const QRect &r : areas)
        p.drawRect(r);
    return image;
}

inline const char *threeRegionCoordinates()
{
    return "tres.png\r\nSe\xf1" "ala\r\n"
           "Alfa,35,35,20,110,0,0,\r\n"
           "Beta,95,35,0,0,0,0,\r\n"
           "Gamma,155,35,140,90,170,90,\r\n";
}

struct RecordedError {
    LoadError error;
    errorreport::Severity severity;
};

// The error report of the tests: records instead of showing a box.
class RecordingErrorReport : public ErrorReport {
public:
    explicit RecordingErrorReport(std::vector<RecordedError> &into) : recorded(into) {}
    void report(const LoadError &error, errorreport::Severity severity) override
    {
        recorded.push_back({error, severity});
    }

private:
    std::vector<RecordedError> &recorded;
};

class ProgramFolder {
public:
    ProgramFolder()
    {
        QDir root(dir.path());
        root.mkpath(QStringLiteral("Coordenadas"));
        root.mkpath(QStringLiteral("Mapas"));
        root.mkpath(QStringLiteral("gifs"));
        root.mkpath(QStringLiteral("sonidos"));
        writeFile(QStringLiteral("idioma"),
                  textfile::encodeWindows1252(QString::fromUtf8(
                      "Entrar\r\nErrores\r\nAciertos\r\nSin imagen\r\nFicha\r\nEstudiar\r\nJugar\r\n"
                      "Volver\r\nSin texto\r\nPrueba finalizada\r\nOtra prueba\r\nFin\r\n")));
    }

    // What the program's start gives the windows, pointed at this folder:
    // errors recorded, animations played by hand, a Spanish locale, and an
    // end of the program that is only counted.
    Platform platform()
    {
        return Platform{recorder, dir.path(), AnimadorSettings{true, 3000, 20000},
                        QLocale(QLocale::Spanish, QLocale::Spain), [this](int code) { exitCodes.push_back(code); }};
    }

    QString path(const QString &relative = {}) const { return QDir(dir.path()).filePath(relative); }

    void writeFile(const QString &relative, const QByteArray &bytes) const
    {
        QFile f(path(relative));
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }

    void addMap(const QString &catalogueName, const QByteArray &coordinates, const QString &pictureName,
                const QImage &picture) const
    {
        writeFile(QStringLiteral("Coordenadas/") + catalogueName, coordinates);
        if (!picture.isNull())
            picture.save(path(QStringLiteral("Mapas/") + pictureName), "PNG");
    }

    void addThreeRegionMap(const QString &catalogueName = QStringLiteral("Tres")) const
    {
        addMap(catalogueName, threeRegionCoordinates(), QStringLiteral("tres.png"), drawThreeRegionMap());
    }

    QTemporaryDir dir;
    std::vector<RecordedError> errors;
    std::vector<int> exitCodes; // each time the program was asked to end
    RecordingErrorReport recorder{errors};
};

} // namespace fixtures
