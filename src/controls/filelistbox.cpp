#include "filelistbox.h"

#include "platform/datafiles.h"

#include <QKeyEvent>

namespace {
constexpr int kNativePathRole = Qt::UserRole;
}

FileListBox::FileListBox(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemClicked, this, [this] { emit fileChosen(); });
}

void FileListBox::setPath(const QString &newFolder)
{
    folder = newFolder;
    refresh();
}

void FileListBox::refresh()
{
    const QString selected = fileName();
    clear();
    for (const datafiles::ListedFile &file : datafiles::listFileEntries(folder)) {
        auto *item = new QListWidgetItem(file.name, this);
        item->setData(kNativePathRole, file.nativePath);
    }
    if (!selected.isEmpty()) {
        const auto matches = findItems(selected, Qt::MatchExactly);
        if (!matches.isEmpty())
            setCurrentItem(matches.first());
    }
}

QString FileListBox::fileName() const
{
    const QListWidgetItem *item = currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

QByteArray FileListBox::nativeFilePath() const
{
    const QListWidgetItem *item = currentItem();
    return item && item->isSelected() ? item->data(kNativePathRole).toByteArray() : QByteArray();
}

void FileListBox::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        emit fileChosen();
        return;
    }
    QListWidget::keyPressEvent(event);
}
