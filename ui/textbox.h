#pragma once

#include <QPlainTextEdit>

// A read-only, word-wrapping text box with a vertical scroll bar. It keeps
// its text exactly as given, CR LF line ends included, and shows it with
// ordinary line breaks.
class TextBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TextBox(QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);

private:
    QString m_text;
};
