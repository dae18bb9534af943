# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later

# A static Qt (the Windows build) has no translations folder
# to load Qt's own Bulgarian texts from, so they travel inside the program;
# the loader of Qt's texts (ui/qttranslation.cpp) falls back to this copy.
set(ZORBELIN_QT_TRANSLATIONS /usr/share/qt6/translations CACHE PATH
    "Folder holding qtbase_bg.qm of the same Qt version (Debian: qt6-translations-l10n)")
if(NOT EXISTS ${ZORBELIN_QT_TRANSLATIONS}/qtbase_bg.qm)
    message(FATAL_ERROR "${ZORBELIN_QT_TRANSLATIONS}/qtbase_bg.qm is missing: install qt6-translations-l10n")
endif()

function(zorbelin_embed_qt_texts target)
    qt_add_resources(${target} qt_translations
        PREFIX /translations
        BASE ${ZORBELIN_QT_TRANSLATIONS}
        FILES ${ZORBELIN_QT_TRANSLATIONS}/qtbase_bg.qm)
endfunction()
