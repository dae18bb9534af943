// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainform.h"

#include "boardfocus.h"
#include "buttonarray.h"
#include "buttonstyle.h"
#include "narrow.h"
#include "sizelist.h"
#include "textbox.h"
#include "twips.h"

#include <QAccessibleWidget>
#include <QFile>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>
#include <QWindow>

#include <algorithm>
#include <mutex>
#include <tuple>

namespace {

QColor colour(const Rgb &rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}

const QColor WindowColour = colour(Colours::Window);
const QColor ButtonColour = colour(Colours::Button);
const QColor LabelColour = colour(Colours::Label);
const QColor DisabledCaptionColour = colour(Colours::DisabledCaption);

QFont timesNewRoman(double points)
{
    QFont font(QString::fromUtf8(Fonts::Family));
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

void place(QWidget *widget, const TwipsRect &twips)
{
    widget->setGeometry(toPixels(twips));
}

// Fills the whole control with `colour`, as the layout's coloured controls are.
void setBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Button, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// A push button filled with the button colour in every state.
void paintAsButton(QPushButton *button, QStyle *style)
{
    setBackground(button, ButtonColour);
    QPalette palette = button->palette();
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, DisabledCaptionColour);
    button->setPalette(palette);
    button->setStyle(style);
}

// Assistive technology should see the window as a window, not as a plain
// container, which is what a bare QWidget would be.
QAccessibleInterface *accessibleMainForm(const QString &className, QObject *object)
{
    if (className == QLatin1String("MainForm") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QString explanatoryText()
{
    QFile file(QStringLiteral(":/explanation.txt"));
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
}

} // namespace

MainForm::MainForm(QWidget *parent)
    : QWidget(parent,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowCloseButtonHint)
    , Timer1(this)
{
    static std::once_flag accessibleWindow;
    std::call_once(accessibleWindow, [] { QAccessible::installFactory(accessibleMainForm); });
    setWindowTitle(text(Texts::Title));
    setWindowIcon(QIcon(QStringLiteral(":/zorbelin.ico")));
    setFixedSize(clientSize());
    setBackground(this, WindowColour);
    setFont(timesNewRoman(Fonts::Window));

    createControls();
    arrangeTabOrder();
    centreOnScreen();
    connectHandlers();

    Form_Load();
}

QSize MainForm::clientSize()
{
    return toPixels(Layout::ClientArea).size();
}

void MainForm::createControls()
{
    createSizeList();
    createBoardTemplate();
    createTextBoxes();
    createLabels();
    createOrientationFrame();
    createPicture();

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(RevealIntervalMs);
    // A coarse timer may wander by several milliseconds; the reveal keeps a steady beat.
    Timer1.setTimerType(Qt::PreciseTimer);
    Timer1.start();
    m_drawn.timerRunning = true;
}

void MainForm::createSizeList()
{
    List1 = new SizeList(this);
    List1->setObjectName(QStringLiteral("List1"));
    place(List1, Layout::List1);
    List1->setSortingEnabled(false);
    List1->setAccessibleName(text(Texts::List1Name));
    List1->setAccessibleDescription(text(Texts::List1Description));
    for (int i = 0; i < LessonRun::SizeCount; ++i)
        List1->addItem(QString::number(LessonRun::sizeEntry(i)));
}

void MainForm::createBoardTemplate()
{
    m_buttonStyle = new ButtonStyle;
    m_buttonStyle->setParent(this);
    auto *cell = new QPushButton(this);
    place(cell, Layout::Command1);
    paintAsButton(cell, m_buttonStyle);
    cell->setFont(timesNewRoman(Fonts::Cell));
    cell->setVisible(false);
    Command1 = new ButtonArray(QStringLiteral("Command1"), cell, this);

    Command2 = new QPushButton(text(Texts::Command2), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    place(Command2, Layout::Command2);
    paintAsButton(Command2, m_buttonStyle);
    Command2->setEnabled(false);
    Command2->setAccessibleDescription(text(Texts::Command2Description));
}

void MainForm::createTextBoxes()
{
    for (int i = 0; i < 2; ++i) {
        Text1[i] = new TextBox(this);
        Text1[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
    }
    place(Text1[0], Layout::Text1_0);
    Text1[0]->setText(explanatoryText());
    Text1[0]->setAccessibleName(text(Texts::Text1_0Name));
    place(Text1[1], Layout::Text1_1);
    Text1[1]->setVisible(false);
    Text1[1]->setAccessibleName(text(Texts::Text1_1Name));
    // Where a large board reaches under the text box, the report the user
    // asked for stays readable.
    Command1->element(0)->stackUnder(Text1[0]);
    m_boardFocus = new BoardFocus(Command1, m_lesson, this);
    prepareCell(Command1->element(0), 0, 1);
}

void MainForm::createLabels()
{
    const std::array<QString, 2> captions{text(Texts::Label1_0), text(Texts::Label1_1)};
    const std::array<TwipsRect, 2> places{Layout::Label1_0, Layout::Label1_1};
    for (int i = 0; i < 2; ++i) {
        Label1[i] = new QLabel(captions[i], this);
        Label1[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
        Label1[i]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        place(Label1[i], places[i]);
        setBackground(Label1[i], LabelColour);
    }
}

void MainForm::createOrientationFrame()
{
    Frame1 = new QGroupBox(text(Texts::Frame1), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    place(Frame1, Layout::Frame1);
    setBackground(Frame1, WindowColour);

    const std::array<QString, 2> captions{text(Texts::Option1_0), text(Texts::Option1_1)};
    const std::array<TwipsRect, 2> places{Layout::Option1_0, Layout::Option1_1};
    for (int i = 0; i < 2; ++i) {
        Option1[i] = new QRadioButton(captions[i], Frame1);
        Option1[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        place(Option1[i], places[i]);
        setBackground(Option1[i], ButtonColour);
    }
    Option1[0]->setChecked(true);
    // Only the chosen button is a tab stop, as Qt arranges once either has
    // had the focus; until then Shift+Tab would reach "Ляво" first.
    Option1[1]->setFocusPolicy(Qt::ClickFocus);
    Option1[0]->setAccessibleDescription(text(Texts::Option1_0Description));
    Option1[1]->setAccessibleDescription(text(Texts::Option1_1Description));
}

void MainForm::createPicture()
{
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    place(Image1, Layout::Image1);
    drawPicture();
    Image1->setAccessibleName(text(Texts::Image1Name));
    Image1->setAccessibleDescription(text(Texts::Image1Description));
}

// On a high-density screen the drawing made at twice the size is brought to
// the screen's own resolution, so the picture stays sharp.
void MainForm::drawPicture()
{
    const qreal ratio = devicePixelRatioF();
    QPixmap picture(ratio > 1 ? QStringLiteral(":/melencolia@2x.jpg") : QStringLiteral(":/melencolia.jpg"));
    const QSize pixels = (QSizeF(Image1->size()) * ratio).toSize();
    if (picture.size() != pixels)
        picture = picture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    picture.setDevicePixelRatio(ratio);
    Image1->setPixmap(picture);
}

void MainForm::showEvent(QShowEvent *event)
{
    // Moved to a screen of another density, the window draws its picture anew.
    connect(windowHandle(), &QWindow::screenChanged, this, &MainForm::drawPicture, Qt::UniqueConnection);
    QWidget::showEvent(event);
}

void MainForm::arrangeTabOrder()
{
    QWidget *const order[] = {List1,  Command1->element(0), Command2,  Text1[0], Label1[0], Label1[1], Text1[1],
                              Frame1, Option1[0],           Option1[1]};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    List1->setFocus();
}

void MainForm::centreOnScreen()
{
    if (const QScreen *screen = this->screen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
}

void MainForm::connectHandlers()
{
    // A selection by mouse or keyboard; clearing the selection from code
    // raises it too, and the handler ignores that.
    connect(List1, &QListWidget::itemSelectionChanged, this, &MainForm::List1_Click);
    // clicked, not toggled: a click on the button already chosen counts too.
    for (int i = 0; i < 2; ++i)
        connect(Option1[i], &QRadioButton::clicked, this, [this, i] { Option1_Click(std::int16_t(i)); });
    connect(Command2, &QPushButton::clicked, this, &MainForm::Command2_Click);
    connect(Command1, &ButtonArray::clicked, this, &MainForm::Command1_Click);
    connect(&Timer1, &QTimer::timeout, this, &MainForm::Timer1_Timer);
    // A label's click has no handler: it does nothing.
}

void MainForm::addLessonListener(LessonListener *listener)
{
    m_lesson.addListener(listener);
}

// The layout starts the timer; the lesson starts with it stopped, and no board.
void MainForm::Form_Load()
{
    showLesson();
}

void MainForm::List1_Click()
{
    // The entry the user chose; the list reports an emptied selection too.
    const QList<QListWidgetItem *> chosen = List1->selectedItems();
    if (m_lesson.chooseSize(chosen.isEmpty() ? -1 : List1->row(chosen.front())))
        showLesson();
}

void MainForm::Option1_Click(std::int16_t index)
{
    // The button clicked is the one chosen now.
    m_lesson.chooseOrientation(index == 1 ? Orientation::Left : Orientation::Top);
    showLesson();
}

void MainForm::Command2_Click()
{
    m_lesson.clear();
    showLesson();
}

void MainForm::Command1_Click(std::int16_t index)
{
    m_lesson.reportCell(index);
    m_reported = true;
    // A screen reader hears a cell's report as the report box takes the focus.
    if (QAccessible::isActive())
        m_reportOrigin = Command1->element(index);
    showLesson();
}

void MainForm::Timer1_Timer()
{
    m_lesson.tick();
    showLesson();
}

// Each drawing changes only what differs from the last, so a tick costs one
// cell rather than the whole window. Controls are enabled before others are
// locked, so the focus that a locked control gives up finds the next one
// ready. A clear by the control that has the focus (a key, or a click, which
// gives it the focus) sends the focus to the list, where the next step is.
void MainForm::showLesson()
{
    LessonView view = m_lesson.view();
    LessonView &was = m_drawn;
    const bool removing = was.order != 0 && view.order != was.order;
    const bool byClearButton = removing && Command2->hasFocus();
    const bool byOrientation = removing && Frame1->isAncestorOf(focusWidget());

    drawBoard(view.order);
    if (view.textVisible != was.textVisible)
        Text1[0]->setVisible(view.textVisible);
    const std::array<std::tuple<QWidget *, bool, bool>, 3> locks{{{Command2, view.clearEnabled, was.clearEnabled},
                                                                  {Frame1, view.frameEnabled, was.frameEnabled},
                                                                  {List1, view.listEnabled, was.listEnabled}}};
    for (const auto &[control, enabled, wasEnabled] : locks) {
        if (enabled && !wasEnabled)
            control->setEnabled(true);
    }
    if (view.selection != was.selection)
        drawSelection(view.selection);
    if (byClearButton) {
        List1->setFocus(Qt::OtherFocusReason);
    } else if (byOrientation) {
        // An arrow key gives the focus to the option button after clicking it.
        QTimer::singleShot(0, List1, [list = List1] { list->setFocus(Qt::OtherFocusReason); });
    }
    for (const auto &[control, enabled, wasEnabled] : locks) {
        if (enabled || !wasEnabled)
            continue;
        // Locked with the focus on it, "Чисти" would pass it on to "Горе",
        // which is locked next: the focus waits for the first number instead.
        if (control != List1 && (control->hasFocus() || control->isAncestorOf(focusWidget())))
            focusWidget()->clearFocus();
        control->setEnabled(false);
    }
    drawCells(view.cells);
    if (view.imageVisible != was.imageVisible)
        Image1->setVisible(view.imageVisible);
    if (view.orientation != was.orientation)
        Option1[view.orientation == Orientation::Left ? 1 : 0]->setChecked(true);
    // A report is written again even when it is the same, as every click asks.
    if (!view.explanationShown && (m_reported || was.explanationShown || view.text != was.text)) {
        const QString shown = QString::fromStdString(view.text);
        if (m_reportOrigin)
            Text1[0]->presentToScreenReader(shown, m_boardFocus->returnPoint(m_reportOrigin));
        Text1[0]->setText(shown);
    }
    m_reported = false;
    m_reportOrigin = nullptr;
    if (!view.timerRunning && was.timerRunning)
        Timer1.stop();
    m_boardFocus->showLesson(view);
    was = std::move(view);
}

// Creates the cells of a new board, or takes off those of a cleared one.
void MainForm::drawBoard(int n)
{
    if (n == m_drawn.order)
        return;
    if (m_drawn.order != 0)
        removeBoard();
    if (n != 0)
        ShowBoard(n);
    // New cells come hidden and without a caption; the template keeps its own.
    m_drawn.order = n;
    m_drawn.cells.resize(std::max(n * n, 1));
}

void MainForm::ShowBoard(int n)
{
    const int last = n * n - 1;
    for (int k = 1; k <= last; ++k) {
        Command1->create(k);
        QPushButton *cell = Command1->element(k);
        cell->setGeometry(toPixels(Layout::cell(k, n)));
        prepareCell(cell, k, n);
    }
    // New cells come on top; the report box goes back above the board. One
    // raise is far cheaper than stacking each of 440 cells under it.
    Text1[0]->raise();
    // Restarting keeps the first tick one whole interval after the board,
    // even when a tick was already due from a board cleared just before.
    Timer1.start();
    m_drawn.timerRunning = true;
}

void MainForm::removeBoard()
{
    const int count = toInt16(m_drawn.order * m_drawn.order - 1);
    for (int k = 1; k <= count; ++k)
        Command1->destroy(k);
}

// A number shown for the first time takes the keyboard focus when locking
// "Чисти" and the frame left it nowhere, so the keyboard can go on.
void MainForm::drawCells(const std::vector<CellView> &cells)
{
    const auto same = [](const CellView &a, const CellView &b) {
        return a.visible == b.visible && a.caption == b.caption;
    };
    auto drawn = m_drawn.cells.cbegin();
    for (auto shown = cells.cbegin();; ++shown, ++drawn) {
        std::tie(shown, drawn) = std::mismatch(shown, cells.cend(), drawn, same);
        if (shown == cells.cend())
            return;
        QPushButton *cell = Command1->element(int(shown - cells.cbegin()));
        if (shown->caption != drawn->caption)
            cell->setText(shown->caption ? QString::number(shown->caption) : QString());
        if (shown->visible != drawn->visible) {
            cell->setVisible(shown->visible);
            if (shown->visible && !focusWidget())
                cell->setFocus(Qt::OtherFocusReason);
        }
    }
}

// Only the user's choice is the list's Click, not the drawing of it.
void MainForm::drawSelection(int selection)
{
    const QSignalBlocker drawing(List1);
    if (selection == -1) {
        List1->clearSelection();
        List1->setCurrentItem(nullptr);
    } else if (!List1->item(selection)->isSelected()) {
        List1->setCurrentRow(selection);
    }
}

// What a cell needs besides the template's look: its place for assistive
// technology, and the keyboard.
void MainForm::prepareCell(QPushButton *cell, int index, int n)
{
    const CellPlace place = cellPlace(index, n);
    cell->setAccessibleDescription(text(Texts::CellRow) + QString::number(place.row) + text(Texts::CellColumn)
                                   + QString::number(place.column));
    if (index > 0)
        m_boardFocus->addCell(index);
}
