#pragma once

#include <QStringList>

class QCoreApplication;

// Installs the program's catalog and Qt's own for the first of the desktop's
// languages that the program speaks. English, or a language it does not
// speak, loads nothing: the program's own words are English. Returns the
// files loaded. Call before any window is made: texts are read when made.
QStringList InstallTranslations(QCoreApplication &application);
