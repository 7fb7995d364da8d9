// A list of the files of one folder, re-read on demand, as the map catalogue
// shows them.
#pragma once

#include <QListWidget>

class FileListBox : public QListWidget {
    Q_OBJECT
public:
    explicit FileListBox(QWidget *parent = nullptr);

    void setPath(const QString &folder); // lists the folder's files at once
    QString path() const { return folder; }
    void refresh();                      // re-reads the folder
    QString fileName() const;            // the selected file's name as shown, empty if none
    // The selected file's path as the file system spells it, to open it by:
    // the name shown may be a reading of bytes that are not UTF-8.
    QByteArray nativeFilePath() const;

signals:
    // The learner chose a file: a click on it, or Enter on the selected one.
    void fileChosen();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString folder;
};
