#include "textbox.h"

#include <QCoreApplication>
#include <QKeyEvent>

TextBox::TextBox(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

namespace {

QString shownText(QString text)
{
    return text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

} // namespace

void TextBox::setText(const QString &text)
{
    m_text = text;
    const QString shown = shownText(text);
    // The description holds the text presented to a screen reader, no other.
    if (accessibleDescription() != shown) {
        m_origin = nullptr;
        if (!accessibleDescription().isEmpty())
            setAccessibleDescription(QString());
    }
    setPlainText(shown);
}

void TextBox::presentToScreenReader(const QString &text, QWidget *origin)
{
    m_origin = origin;
    setAccessibleDescription(shownText(text));
    // The focus comes before the text: Orca takes the caret events of
    // writing it for the focus change itself when they come first, and then
    // says nothing.
    setFocus(Qt::OtherFocusReason);
}

void TextBox::keyPressEvent(QKeyEvent *event)
{
    if (!m_origin)
        return QPlainTextEdit::keyPressEvent(event);
    switch (event->key()) {
    case Qt::Key_Escape:
        m_origin->setFocus(Qt::OtherFocusReason);
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const QPointer<QWidget> origin = m_origin;
        origin->setFocus(Qt::OtherFocusReason);
        QKeyEvent again(event->type(), event->key(), event->modifiers(), event->text());
        QCoreApplication::sendEvent(origin, &again);
        return;
    }
    default:
        return QPlainTextEdit::keyPressEvent(event);
    }
}

bool TextBox::focusNextPrevChild(bool next)
{
    if (next || !m_origin)
        return QPlainTextEdit::focusNextPrevChild(next);
    m_origin->setFocus(Qt::BacktabFocusReason);
    return true;
}
