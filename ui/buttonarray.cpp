// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "buttonarray.h"

#include "fatal.h"
#include "narrow.h"

#include <QPushButton>

#include <algorithm>
#include <string>

ButtonArray::ButtonArray(const QString &name, QPushButton *element0, QObject *parent)
    : QObject(parent)
    , m_name(name)
    , m_elements{element0}
{
    element0->setObjectName(m_name + QLatin1String("_0"));
    connectElement(element0, 0);
}

bool ButtonArray::exists(int index) const
{
    return index >= 0 && static_cast<size_t>(index) < m_elements.size() && m_elements[index];
}

int ButtonArray::indexOf(const QObject *button) const
{
    const auto found = std::find(m_elements.begin(), m_elements.end(), button);
    return found == m_elements.end() || !button ? -1 : int(found - m_elements.begin());
}

QPushButton *ButtonArray::element(int index) const
{
    if (!exists(index))
        fatalError(m_name.toStdString() + "(" + std::to_string(index) + ") не съществува");
    return m_elements[index];
}

void ButtonArray::create(int index)
{
    if (index < 1)
        fatalError(m_name.toStdString() + "(" + std::to_string(index)
                   + ") не може да се създаде: индексът не е на копие");
    if (exists(index))
        fatalError(m_name.toStdString() + "(" + std::to_string(index) + ") не може да се създаде: вече съществува");

    QPushButton *model = m_elements[0];
    auto *button = new QPushButton(model->parentWidget());
    button->setObjectName(m_name + QLatin1Char('_') + QString::number(index));
    button->resize(model->size());
    button->setFont(model->font());
    button->setPalette(model->palette());
    if (model->testAttribute(Qt::WA_SetStyle))
        button->setStyle(model->style());
    button->setAutoFillBackground(model->autoFillBackground());
    button->setFlat(model->isFlat());
    button->setFocusPolicy(model->focusPolicy());
    button->setEnabled(model->isEnabled());
    button->setVisible(false);

    if (m_elements.size() <= static_cast<size_t>(index))
        m_elements.resize(index + 1, nullptr);
    m_elements[index] = button;
    connectElement(button, index);
}

void ButtonArray::destroy(int index)
{
    if (index < 1 || !exists(index))
        fatalError(m_name.toStdString() + "(" + std::to_string(index) + ") не може да се унищожи: не съществува");
    delete m_elements[index];
    m_elements[index] = nullptr;
}

void ButtonArray::connectElement(QPushButton *button, int index)
{
    const std::int16_t element = toInt16(index);
    connect(button, &QPushButton::clicked, this, [this, element] { emit clicked(element); });
}
