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
#include <QStyle>
#include <QWindow>

#include <mutex>

namespace {

// The window's layout, in twips, measured from the top-left corner of the
// container's client area.
namespace Layout {
constexpr TwipsRect ClientArea{0, 0, 9060, 7215};
constexpr TwipsRect List1{120, 840, 735, 2340};
constexpr TwipsRect Command1{1080, 360, 365, 325};
constexpr TwipsRect Command2{0, 4560, 975, 375};
constexpr TwipsRect Text1_0{120, 5520, 8775, 1575};
constexpr TwipsRect Label1_0{1080, 0, 6615, 300};
constexpr TwipsRect Label1_1{120, 480, 735, 375};
constexpr TwipsRect Text1_1{7560, 4800, 8175, 1575};
constexpr TwipsRect Frame1{0, 3480, 975, 975};
constexpr TwipsRect Option1_0{60, 300, 855, 300};
constexpr TwipsRect Option1_1{60, 600, 855, 300};
constexpr TwipsRect Image1{3120, 1080, 3300, 3435};
} // namespace Layout

const QColor WindowColour(0xC0, 0xC0, 0xFF);
const QColor ButtonColour(0x80, 0x80, 0xFF);
const QColor LabelColour(0xFF, 0xC0, 0x80);
// A disabled caption stays readable on the button colour (about 3:1), and
// still looks unlike the black of an enabled one.
const QColor DisabledCaptionColour(0x40, 0x40, 0x70);

QFont timesNewRoman(double points)
{
    QFont font(QStringLiteral("Times New Roman"));
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
    setWindowTitle(QStringLiteral("https://zorbelin.example Зорбелин нечетен брой"));
#ifndef Q_OS_WASM
    // In a browser the page's own icon stands for the window, which has no title bar.
    setWindowIcon(QIcon(QStringLiteral(":/zorbelin.ico")));
#endif
    setFixedSize(clientSize());
    setBackground(this, WindowColour);
    setFont(timesNewRoman(12));

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
}

void MainForm::createSizeList()
{
    List1 = new SizeList(this);
    List1->setObjectName(QStringLiteral("List1"));
    place(List1, Layout::List1);
    List1->setSortingEnabled(false);
    List1->setAccessibleName(QStringLiteral("Брой"));
    List1->setAccessibleDescription(QStringLiteral("Дължина на страната на магическия квадрат"));
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
    cell->setFont(timesNewRoman(8.25));
    cell->setVisible(false);
    Command1 = new ButtonArray(QStringLiteral("Command1"), cell, this);

    Command2 = new QPushButton(QStringLiteral("Чисти"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    place(Command2, Layout::Command2);
    paintAsButton(Command2, m_buttonStyle);
    Command2->setEnabled(false);
    Command2->setAccessibleDescription(QStringLiteral("Изчиства дъската"));
}

void MainForm::createTextBoxes()
{
    for (int i = 0; i < 2; ++i) {
        Text1[i] = new TextBox(this);
        Text1[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
    }
    place(Text1[0], Layout::Text1_0);
    Text1[0]->setText(explanatoryText());
    Text1[0]->setAccessibleName(QStringLiteral("Обяснение и справка"));
    place(Text1[1], Layout::Text1_1);
    Text1[1]->setVisible(false);
    Text1[1]->setAccessibleName(QStringLiteral("Допълнително поле"));
    // Where a large board reaches under the text box, the report the user
    // asked for stays readable.
    Command1->element(0)->stackUnder(Text1[0]);
    m_boardFocus = new BoardFocus(Command1, Text1[0], this);
    prepareCell(Command1->element(0), 0, 1);
}

void MainForm::createLabels()
{
    const std::array<QString, 2> captions{QStringLiteral("Зорбелин"), QStringLiteral("Брой")};
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
    Frame1 = new QGroupBox(QStringLiteral("Начало"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    place(Frame1, Layout::Frame1);
    setBackground(Frame1, WindowColour);

    const std::array<QString, 2> captions{QStringLiteral("Горе"), QStringLiteral("Ляво")};
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
    Option1[0]->setAccessibleDescription(QStringLiteral("Числото 1 започва в средата на първия ред"));
    Option1[1]->setAccessibleDescription(QStringLiteral("Числото 1 започва в средата на първата колона"));
}

void MainForm::createPicture()
{
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    place(Image1, Layout::Image1);
    drawPicture();
    Image1->setAccessibleName(
        QStringLiteral("Магическият квадрат 4 × 4 от гравюрата „Меланхолия I“ на Албрехт Дюрер, 1514 г."));
    Image1->setAccessibleDescription(QStringLiteral("Редове: 16, 3, 2, 13; 5, 10, 11, 8; 9, 6, 7, 12; 4, 15, 14, 1"));
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
    Timer1.stop();
}

void MainForm::List1_Click()
{
    if (!m_lesson.List1_Click(listIndex()))
        return;
    ShowBoard();
    Command2->setEnabled(m_lesson.clearEnabled());
    Text1[0]->setVisible(m_lesson.textVisible());
    Image1->setVisible(m_lesson.imageVisible());
    List1->setEnabled(m_lesson.listEnabled());
}

void MainForm::Option1_Click(std::int16_t index)
{
    // The button clicked is the one chosen now.
    const int n = m_lesson.order();
    clearListSelection();
    if (m_lesson.Option1_Click(index == 1 ? Orientation::Left : Orientation::Top))
        removeBoard(n);
    Text1[0]->setText(QString::fromStdString(m_lesson.text()));
}

void MainForm::Command2_Click()
{
    ClearBoard();
}

void MainForm::Command1_Click(std::int16_t index)
{
    const QString report = QString::fromStdString(m_lesson.Command1_Click(index));
    Text1[0]->setVisible(m_lesson.textVisible());
    if (m_reportTakesFocus && QAccessible::isActive())
        Text1[0]->presentToScreenReader(report, m_boardFocus->returnPoint(Command1->element(index)));
    Text1[0]->setText(report);
}

void MainForm::Timer1_Timer()
{
    const RevealStep step = m_lesson.Timer1_Timer();
    lockDuringReveal();
    if (step.cell >= 0)
        revealCell(step);
    if (step.ended)
        Timer1.stop();
    Command2->setEnabled(m_lesson.clearEnabled());
    Frame1->setEnabled(m_lesson.frameEnabled());
}

// Every tick locks "Чисти" and the frame before the last one unlocks them.
// Locked with the focus on it, "Чисти" would pass it on to "Горе", which is
// locked next: the focus waits for the first number instead.
void MainForm::lockDuringReveal()
{
    if (Command2->hasFocus() || Frame1->isAncestorOf(focusWidget()))
        focusWidget()->clearFocus();
    Command2->setEnabled(false);
    Frame1->setEnabled(false);
}

void MainForm::revealCell(const RevealStep &step)
{
    QPushButton *cell = Command1->element(step.cell);
    cell->setVisible(true);
    if (step.writesCaption)
        cell->setText(QString::number(step.number));
    // Locking "Чисти" and the frame can leave nothing with the keyboard focus;
    // the first number shown takes it, so the keyboard can go on.
    if (!focusWidget())
        cell->setFocus(Qt::OtherFocusReason);
}

void MainForm::ShowBoard()
{
    const int n = m_lesson.order();
    m_boardFocus->setOrder(n);
    const TwipsRect &model = Layout::Command1;
    const int last = n * n - 1;
    for (int k = 1; k <= last; ++k) {
        Command1->create(k);
        const CellPlace place = cellPlace(k, n);
        const double x = (place.column - 1) * model.width;
        const std::int16_t y = roundToInt16((place.row - 1) * model.height);
        const float top = float(y) + float(model.top);
        const float left = float(model.left + x);
        QPushButton *cell = Command1->element(k);
        cell->setGeometry(toPixels({left, top, model.width, model.height}));
        cell->setVisible(false);
        cell->setText(QString::fromStdString(m_lesson.cellCaption(k)));
        prepareCell(cell, k, n);
    }
    // New cells come on top; the report box goes back above the board. One
    // raise is far cheaper than stacking each of 440 cells under it.
    Text1[0]->raise();
    Command1->element(0)->setText(QString::fromStdString(m_lesson.cellCaption(0)));
    // Restarting keeps the first tick one whole interval after the board,
    // even when a tick was already due from a board cleared just before.
    Timer1.start();
}

void MainForm::ClearBoard()
{
    const int n = m_lesson.order();
    if (m_lesson.ClearBoard())
        removeBoard(n);
}

// Takes the board of order n off the window, as the lesson has just done.
void MainForm::removeBoard(int n)
{
    const int count = toInt16(n * n - 1);
    for (int k = 1; k <= count; ++k)
        Command1->destroy(k);
    // A clear by the control that has the focus (a key, or a click, which
    // gives it the focus) leaves the focus where the next step is.
    const bool byClearButton = Command2->hasFocus();
    const bool byOrientation = Frame1->isAncestorOf(focusWidget());
    Command1->element(0)->setVisible(false);
    Text1[0]->setVisible(m_lesson.textVisible());
    List1->setEnabled(m_lesson.listEnabled());
    clearListSelection();
    if (byClearButton) {
        List1->setFocus(Qt::OtherFocusReason);
    } else if (byOrientation) {
        // An arrow key gives the focus to the option button after clicking it.
        QTimer::singleShot(0, List1, [list = List1] { list->setFocus(Qt::OtherFocusReason); });
    }
    Command2->setEnabled(m_lesson.clearEnabled());
    Text1[0]->setText(QString::fromStdString(m_lesson.text()));
}

// The selected entry of the size list, -1 for none.
int MainForm::listIndex() const
{
    const QList<QListWidgetItem *> selected = List1->selectedItems();
    return selected.isEmpty() ? -1 : List1->row(selected.front());
}

void MainForm::clearListSelection()
{
    List1->clearSelection();
    List1->setCurrentItem(nullptr);
}

// What a cell needs besides the template's look: its place for assistive
// technology, and the keyboard.
void MainForm::prepareCell(QPushButton *cell, int index, int n)
{
    const CellPlace place = cellPlace(index, n);
    cell->setAccessibleDescription(QStringLiteral("Ред ") + QString::number(place.row) + QStringLiteral(", Колона ")
                                   + QString::number(place.column));
    if (index > 0)
        m_boardFocus->addCell(index);
}
