#include "mainform.h"

#include "buttonarray.h"
#include "textbox.h"
#include "twips.h"

#include <QFile>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>

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

constexpr int RevealIntervalMs = 300;

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
    setWindowTitle(QStringLiteral("https://zorbelin.example Зорбелин нечетен брой"));
    setWindowIcon(QIcon(QStringLiteral(":/zorbelin.ico")));
    setFixedSize(toPixels(Layout::ClientArea).size());
    setBackground(this, WindowColour);
    setFont(timesNewRoman(12));

    createControls();
    arrangeTabOrder();
    centreOnScreen();

    Form_Load();
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
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    place(List1, Layout::List1);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setSortingEnabled(false);
    for (int order = 3; order <= 21; order += 2)
        List1->addItem(QString::number(order));
}

void MainForm::createBoardTemplate()
{
    auto *cell = new QPushButton(this);
    place(cell, Layout::Command1);
    setBackground(cell, ButtonColour);
    cell->setFont(timesNewRoman(8.25));
    cell->setVisible(false);
    Command1 = new ButtonArray(QStringLiteral("Command1"), cell, this);

    Command2 = new QPushButton(QStringLiteral("Чисти"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    place(Command2, Layout::Command2);
    setBackground(Command2, ButtonColour);
    Command2->setEnabled(false);
}

void MainForm::createTextBoxes()
{
    for (int i = 0; i < 2; ++i) {
        Text1[i] = new TextBox(this);
        Text1[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
    }
    place(Text1[0], Layout::Text1_0);
    Text1[0]->setText(explanatoryText());
    place(Text1[1], Layout::Text1_1);
    Text1[1]->setVisible(false);
    // Where a large board reaches under the text box, the report the user
    // asked for stays readable.
    Command1->element(0)->stackUnder(Text1[0]);
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
}

void MainForm::createPicture()
{
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/melencolia.jpg")));
    place(Image1, Layout::Image1);
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

void MainForm::Form_Load()
{
    Timer1.stop();
    BoardCleared = true;
}
