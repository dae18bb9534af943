#include "sizelist.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QTimer>

SizeList::SizeList(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void SizeList::keyboardSearch(const QString &search)
{
    m_cursorOnly = true;
    QListWidget::keyboardSearch(search);
    m_cursorOnly = false;
}

QItemSelectionModel::SelectionFlags SizeList::selectionCommand(const QModelIndex &index, const QEvent *event) const
{
    if (m_cursorOnly)
        return QItemSelectionModel::NoUpdate;
    if (event && event->type() == QEvent::KeyPress && static_cast<const QKeyEvent *>(event)->key() != Qt::Key_Space)
        return QItemSelectionModel::NoUpdate;
    return QListWidget::selectionCommand(index, event);
}

void SizeList::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentIndex().isValid()) {
        selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

// The entry under the cursor becomes current as the list takes the focus,
// and a screen reader hears of it before it hears of the list itself, so it
// names no entry; it is told again once the list has the focus.
void SizeList::focusInEvent(QFocusEvent *event)
{
    QListWidget::focusInEvent(event);
    if (!QAccessible::isActive())
        return;
    QTimer::singleShot(0, this, [this] {
        if (!hasFocus() || !currentIndex().isValid())
            return;
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(currentIndex().row());
        QAccessible::updateAccessibility(&focus);
    });
}
