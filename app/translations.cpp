#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

const QString CatalogFolder = QStringLiteral(":/i18n");

// Installed for the life of the application, or not at all.
bool Install(QCoreApplication &application, const QLocale &locale, const QString &name,
             const QString &folder, QStringList &loaded) {
  auto *translator = new QTranslator(&application);
  if (!translator->load(locale, name, QStringLiteral("_"), folder)) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  loaded << translator->filePath();
  return true;
}

} // namespace

QStringList InstallTranslations(QCoreApplication &application) {
  QStringList loaded;
  // The languages in the desktop's order of preference: an English ahead of
  // German means English, even though German is there to be had.
  for (const QString &language : QLocale::system().uiLanguages()) {
    const QLocale locale(language);
    if (locale.language() == QLocale::English || locale.language() == QLocale::C)
      break;
    if (Install(application, locale, QStringLiteral("ninegrove"), CatalogFolder, loaded)) {
      // Qt's dialog buttons in the same language as the rest.
      Install(application, locale, QStringLiteral("qtbase"),
              QLibraryInfo::path(QLibraryInfo::TranslationsPath), loaded);
      break;
    }
  }
  return loaded;
}
