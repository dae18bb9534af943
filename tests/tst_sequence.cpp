// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "formdriver.h"

#include <QRandomGenerator>

#include <vector>

namespace {

// What the window and the lesson should show, kept apart from their own
// code: the square comes from the construction walk, not from the closed
// formula.
class Oracle
{
public:
    bool cleared = true;
    bool timer = false;
    bool listEnabled = true;
    int selection = 0; // the chosen order, 0 for none
    bool clearEnabled = false;
    bool frameEnabled = true;
    bool left = false;
    bool textVisible = true;
    QString text;
    QString explanation; // the text at start, which only the window holds
    bool imageVisible = true;
    std::vector<QString> captions{QString()};
    std::vector<bool> visible{false};
    QList<int> revealed; // the cells revealed since the board was built, in order

    void choose(int n)
    {
        buildSquare(n);
        selection = n;
        captions.assign(n * n, QString());
        visible.assign(n * n, false);
        for (int k = 0; k < n * n; ++k)
            captions[k] = QString::number(at(k % n, k / n));
        counter = 0;
        revealed.clear();
        timer = true;
        cleared = false;
        clearEnabled = true;
        textVisible = false;
        imageVisible = false;
        listEnabled = false;
    }

    void tick()
    {
        clearEnabled = false;
        frameEnabled = false;
        const int n = selection;
        if (counter >= 1 && counter <= n * n) {
            const auto [row, column] = where[counter];
            const int k = left ? row * n + column : column * n + row;
            visible[k] = true;
            revealed << k;
            if (left)
                captions[k] = QString::number(counter);
        }
        if (++counter > n * n) {
            timer = false;
            clearEnabled = true;
            frameEnabled = true;
        }
    }

    void clearBoard()
    {
        if (cleared)
            return;
        captions.resize(1);
        visible.assign(1, false);
        textVisible = true;
        listEnabled = true;
        selection = 0;
        clearEnabled = false;
        text.clear();
        cleared = true;
    }

    void orientation(bool toLeft)
    {
        left = toLeft;
        selection = 0;
        clearBoard();
        text.clear();
    }

    void report(int k)
    {
        const int n = m_n;
        const int row = k % n;
        const int column = k / n;
        // The board shows the transposed square in the left orientation.
        const auto shown = [&](int r, int c) { return left ? at(c, r) : at(r, c); };
        QStringList rowTerms;
        QStringList columnTerms;
        int rowSum = 0;
        int columnSum = 0;
        for (int i = 0; i < n; ++i) {
            rowTerms << QString::number(shown(row, i));
            rowSum += shown(row, i);
            columnTerms << QString::number(shown(i, column));
            columnSum += shown(i, column);
        }
        const QString rowLine =
            QStringLiteral("Ред: %1 = %2\r\n").arg(rowTerms.join(QStringLiteral(" + "))).arg(rowSum);
        const QString columnLine =
            QStringLiteral("Колона: %1 = %2\r\n").arg(columnTerms.join(QStringLiteral(" + "))).arg(columnSum);
        text = QStringLiteral("Ред: %1, Колона: %2\r\n\r\n").arg(row + 1).arg(column + 1)
            + (left ? columnLine + rowLine : rowLine + columnLine);
        textVisible = true;
    }

private:
    // One up and one to the right, wrapping round; one down after every
    // multiple of n. Rows and columns from 0.
    void buildSquare(int n)
    {
        m_n = n;
        m_square.assign(n * n, 0);
        where.assign(n * n + 1, {0, 0});
        int row = 0;
        int column = n / 2;
        for (int v = 1; v <= n * n; ++v) {
            m_square[row * n + column] = v;
            where[v] = {row, column};
            if (v % n == 0) {
                row = (row + 1) % n;
            } else {
                row = (row + n - 1) % n;
                column = (column + 1) % n;
            }
        }
    }
    int at(int row, int column) const { return m_square[row * m_n + column]; }

    int m_n = 0;
    int counter = 0;
    std::vector<int> m_square;
    std::vector<std::pair<int, int>> where;
};

QString differences(const FormDriver &window, const Oracle &model)
{
    QStringList found;
    const auto check = [&](const char *what, const auto &actual, const auto &expected) {
        if (actual != expected)
            found << QString::fromLatin1(what);
    };
    // The lesson the window shows, and what it told its listener.
    const LessonRun &run = window.form().lesson();
    const LessonView view = run.view();
    check("the lesson's BoardCleared", run.boardCleared(), model.cleared);
    check("the lesson's timer", view.timerRunning, model.timer);
    check("the lesson's list", view.listEnabled, model.listEnabled);
    check("the lesson's selection", view.selection == -1 ? 0 : LessonRun::sizeEntry(view.selection), model.selection);
    check("the lesson's Command2", view.clearEnabled, model.clearEnabled);
    check("the lesson's Frame1", view.frameEnabled, model.frameEnabled);
    check("the lesson's orientation", view.orientation == Orientation::Left, model.left);
    check("the lesson's text box", view.textVisible, model.textVisible);
    check("the lesson's text", view.explanationShown ? model.explanation : QString::fromStdString(view.text),
          model.text);
    check("the lesson's picture", view.imageVisible, model.imageVisible);
    check("the lesson's cells", view.cells.size(), model.captions.size());
    for (int k = 0; k < std::min(int(view.cells.size()), int(model.captions.size())); ++k) {
        const QString caption = view.cells[k].caption ? QString::number(view.cells[k].caption) : QString();
        check("a cell's caption in the lesson", caption, model.captions[k]);
        check("a cell shown in the lesson", view.cells[k].visible, bool(model.visible[k]));
    }
    check("the cells the listener was told of", window.revealed(), model.revealed);

    const QList<QListWidgetItem *> selected = window.list()->selectedItems();
    check("BoardCleared", window.form().lesson().boardCleared(), model.cleared);
    check("Timer1", window.timer()->isActive(), model.timer);
    check("List1 enabled", window.list()->isEnabled(), model.listEnabled);
    check("List1 selection", selected.isEmpty() ? 0 : selected.front()->text().toInt(), model.selection);
    check("Command2", window.clearButton()->isEnabled(), model.clearEnabled);
    check("Frame1", window.child(QStringLiteral("Frame1"))->isEnabled(), model.frameEnabled);
    check("Option1(1)", window.option(1)->isChecked(), model.left);
    check("Text1(0) visible", window.textBox()->isVisible(), model.textVisible);
    check("Text1(0) text", window.text(), model.text);
    check("Image1", window.child(QStringLiteral("Image1"))->isVisible(), model.imageVisible);
    const QList<QPushButton *> cells = window.cells();
    check("number of cells", size_t(cells.size()), model.captions.size());
    for (const QPushButton *cell : cells) {
        const size_t k = cell->objectName().mid(9).toUInt();
        if (k >= model.captions.size())
            continue;
        if (cell->text() != model.captions[k] || cell->isVisible() != model.visible[k]) {
            found << QStringLiteral("Command1(%1): \"%2\" %3, expected \"%4\" %5")
                         .arg(k)
                         .arg(cell->text(), cell->isVisible() ? QStringLiteral("visible") : QStringLiteral("hidden"),
                              model.captions[k],
                              model.visible[k] ? QStringLiteral("visible") : QStringLiteral("hidden"));
            break;
        }
    }
    return found.join(QStringLiteral(", "));
}

} // namespace

// Thousands of random steps, each one of what a person or the timer can do
// at that moment, with the window compared to the model after every step.
// ZORBELIN_SEED and ZORBELIN_STEPS choose another run.
class TestSequence : public QObject
{
    Q_OBJECT

private slots:
    void randomSteps();
};

void TestSequence::randomSteps()
{
    const quint32 seed =
        qEnvironmentVariableIsSet("ZORBELIN_SEED") ? qEnvironmentVariable("ZORBELIN_SEED").toUInt() : 20261208u;
    const int steps =
        qEnvironmentVariableIsSet("ZORBELIN_STEPS") ? qEnvironmentVariableIntValue("ZORBELIN_STEPS") : 20000;
    QRandomGenerator random(seed);
    FormDriver window;
    Oracle model;
    model.text = model.explanation = window.text();
    const QString sizes[] = {"3", "5", "7", "9", "11", "13", "15", "17", "19", "21"};

    QStringList recent;
    for (int step = 1; step <= steps; ++step) {
        QString action;
        const int choice = int(random.bounded(100));
        if (choice < 45 && window.timer()->isActive()) {
            action = QStringLiteral("tick");
            window.tick();
            model.tick();
        } else if (choice < 55 && window.list()->isEnabled()) {
            const int entry = int(random.bounded(10));
            action = QStringLiteral("select %1 by mouse").arg(sizes[entry]);
            window.selectByMouse(sizes[entry]);
            model.choose(sizes[entry].toInt());
        } else if (choice < 58 && window.list()->isEnabled()) {
            // Home or End moves the cursor, Enter or Space chooses.
            const bool last = random.bounded(2);
            const Qt::Key choose = random.bounded(2) ? Qt::Key_Return : Qt::Key_Space;
            action = QStringLiteral("%1 and %2 in the list")
                         .arg(last ? "End" : "Home", choose == Qt::Key_Space ? "Space" : "Enter");
            window.keysInList({last ? Qt::Key_End : Qt::Key_Home, choose});
            model.choose(last ? 21 : 3);
        } else if (choice < 68 && window.clearButton()->isEnabled()) {
            action = QStringLiteral("Чисти");
            window.click(window.clearButton());
            model.clearBoard();
        } else if (choice < 76 && window.option(0)->isEnabled()) {
            const bool left = random.bounded(2);
            action = left ? QStringLiteral("Ляво") : QStringLiteral("Горе");
            window.click(window.option(left ? 1 : 0));
            model.orientation(left);
        } else if (choice < 96) {
            QList<QPushButton *> reachable;
            for (QPushButton *cell : window.cells()) {
                if (cell->isVisible() && window.form().childAt(cell->geometry().center()) == cell)
                    reachable << cell;
            }
            if (reachable.isEmpty())
                continue;
            QPushButton *cell = reachable[int(random.bounded(int(reachable.size())))];
            action = QStringLiteral("click ") + cell->objectName();
            window.click(cell);
            model.report(cell->objectName().mid(9).toInt());
        } else {
            const int label = int(random.bounded(2));
            action = QStringLiteral("click Label1(%1)").arg(label);
            window.click(window.child(QStringLiteral("Label1_%1").arg(label)));
        }

        recent << action;
        if (recent.size() > 8)
            recent.removeFirst();
        const QString wrong = differences(window, model);
        if (!wrong.isEmpty()) {
            QFAIL(qPrintable(QStringLiteral("seed %1, step %2: %3 differ; the last steps: %4")
                                 .arg(seed)
                                 .arg(step)
                                 .arg(wrong, recent.join(QStringLiteral("; ")))));
        }
    }
}

QTEST_MAIN(TestSequence)
#include "tst_sequence.moc"
