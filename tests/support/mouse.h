// Real mouse clicks on the toolkit's controls, for the window tests: a press
// and a release at a point inside the control, the path a learner's mouse
// takes, never a setter that reaches the same state another way.
#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QListWidget>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>

namespace mouse {

// A click on row `row` of a list, at the centre of the row's rectangle in the
// viewport; the row is scrolled into view first, as the learner would.
inline bool clickRow(QListWidget *list, int row, Qt::MouseButton button = Qt::LeftButton)
{
    QListWidgetItem *item = list->item(row);
    if (!item)
        return false;
    list->scrollToItem(item);
    const QRect rect = list->visualItemRect(item);
    if (!list->viewport()->rect().contains(rect.center()))
        return false;
    QTest::mouseClick(list->viewport(), button, {}, rect.center());
    return true;
}

// A click on a button where it takes clicks: the centre of a push button, the
// indicator and caption of an option button.
inline void clickButton(QAbstractButton *button)
{
    QPoint at = button->rect().center();
    const bool radio = qobject_cast<QRadioButton *>(button) != nullptr;
    if (radio || qobject_cast<QCheckBox *>(button)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        at = button->style()
                 ->subElementRect(radio ? QStyle::SE_RadioButtonClickRect : QStyle::SE_CheckBoxClickRect,
                                  &option, button)
                 .center();
    }
    QTest::mouseClick(button, Qt::LeftButton, {}, at);
}

} // namespace mouse
