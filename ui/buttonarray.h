// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>

#include <vector>

class QPushButton;

// An indexed family of push buttons sharing one click handler. Element 0 is
// part of the window's layout; every other element is created at run time as
// a hidden copy of it and destroyed again. Creating an element that exists,
// or using or destroying one that does not, is a fatal error.
class ButtonArray : public QObject
{
    Q_OBJECT

public:
    // Element k is named `name`_k; element0 is named `name`_0 here.
    ButtonArray(const QString &name, QPushButton *element0, QObject *parent = nullptr);

    // 0 <= index < the number of possible elements; the element must exist.
    QPushButton *element(int index) const;
    bool exists(int index) const;
    // The index of `button` in the array, -1 if it is not an element.
    int indexOf(const QObject *button) const;

    // 1 <= index; the element must not exist yet.
    void create(int index);
    // 1 <= index; the element must exist.
    void destroy(int index);

signals:
    void clicked(std::int16_t index);

private:
    void connectElement(QPushButton *button, int index);

    QString m_name;
    std::vector<QPushButton *> m_elements;
};
