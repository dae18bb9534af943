// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "application.h"

#include "fatalerrordialog.h"
#include "qttranslation.h"

#include <QApplication>
#include <QTranslator>

bool setUpApplication()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    // Ties the window to its menu entry and icon on the desktop.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.zorbelin.Zorbelin"));
    installFatalErrorDialog();
    auto *qtTexts = new QTranslator(QCoreApplication::instance());
    const bool loaded = loadQtTranslation(*qtTexts);
    if (loaded)
        QCoreApplication::installTranslator(qtTexts);
    return loaded;
}
