#pragma once

#include <QListWidget>

// The list of sizes. A click chooses an entry at once. From the keyboard the
// arrow keys, Home, End, Page Up, Page Down and typing only move the cursor,
// and Space or Enter chooses the entry under it, so that every size can be
// reached before one is chosen.
class SizeList : public QListWidget
{
    Q_OBJECT

public:
    explicit SizeList(QWidget *parent = nullptr);

    void keyboardSearch(const QString &search) override;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event = nullptr) const override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    bool m_cursorOnly = false;
};
