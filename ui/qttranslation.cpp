// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qttranslation.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool loadQtTranslation(QTranslator &translator)
{
    const QLocale bulgarian(QLocale::Bulgarian, QLocale::Bulgaria);
    return translator.load(bulgarian, QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || translator.load(bulgarian, QStringLiteral("qtbase"), QStringLiteral("_"), QStringLiteral(":/translations"));
}
