#pragma once

#include <QPlainTextEdit>
#include <QPointer>

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

    // Hands `text`, which setText() writes next, to a screen reader, which
    // speaks what takes the focus, not text written elsewhere: the box takes
    // the focus with the text as its description. Escape and Shift+Tab go
    // back to `origin`, and the arrow keys go on from there.
    void presentToScreenReader(const QString &text, QWidget *origin);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    QString m_text;
    QPointer<QWidget> m_origin;
};
