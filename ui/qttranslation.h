#pragma once

class QTranslator;

// Loads Qt's own texts (menus, dialog buttons) in Bulgarian, whatever the
// system's locale: from Qt's translations folder, else from the program's
// resources where a build carries them. False when neither has them; the
// program then shows Qt's English texts.
bool loadQtTranslation(QTranslator &translator);
