// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "lessonrun.h"

#include <QTimer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <vector>

class BoardFocus;
class ButtonArray;
class ButtonStyle;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class SizeList;
class TextBox;

// The program's one window: the size list, the orientation choice, the
// clear button, the board of cells revealed one number at a time, and the
// text box for the explanation and the cell reports.
class MainForm : public QWidget
{
    Q_OBJECT

public:
    explicit MainForm(QWidget *parent = nullptr);

    // The size of the window's client area, in logical pixels.
    static QSize clientSize();

    // The lesson's run, which the window shows.
    const LessonRun &lesson() const { return m_lesson; }
    // The listener must outlive the window.
    void addLessonListener(LessonListener *listener);
    // Draws the picture for the window's pixel ratio: on showing, and on
    // moving to another screen.
    void drawPicture();

public slots:
    // One step of the reveal; public, so that a driver can take the steps in
    // the timer's place.
    void Timer1_Timer();

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void Form_Load();
    void List1_Click();
    void Option1_Click(std::int16_t index);
    void Command2_Click();
    void Command1_Click(std::int16_t index);

private:
    // Draws the lesson's picture: after every event, in one step.
    void showLesson();
    void drawBoard(int n);
    void ShowBoard(int n);
    void removeBoard();
    void drawCells(const std::vector<CellView> &cells);
    void drawSelection(int selection);
    void prepareCell(QPushButton *cell, int index, int n);

    void createControls();
    void createSizeList();
    void createBoardTemplate();
    void createTextBoxes();
    void createLabels();
    void createOrientationFrame();
    void createPicture();
    void arrangeTabOrder();
    void centreOnScreen();
    void connectHandlers();

    SizeList *List1 = nullptr;
    ButtonArray *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    std::array<TextBox *, 2> Text1{};
    std::array<QLabel *, 2> Label1{};
    QGroupBox *Frame1 = nullptr;
    std::array<QRadioButton *, 2> Option1{};
    QLabel *Image1 = nullptr;
    QTimer Timer1;
    ButtonStyle *m_buttonStyle = nullptr;
    BoardFocus *m_boardFocus = nullptr;

    LessonRun m_lesson;
    // The lesson as the widgets show it now: as the layout makes them, then
    // as last drawn.
    LessonView m_drawn;
    // A cell's report was asked for, and by which cell when a screen reader
    // is to hear it as the text is drawn.
    bool m_reported = false;
    QPushButton *m_reportOrigin = nullptr;
};
