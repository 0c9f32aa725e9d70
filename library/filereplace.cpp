#include "filereplace.h"

#include "puzzlelibrary.h"

#include <QCoreApplication>
#include <QFile>
#include <QUuid>

#include <cstdio>

void WriteReplacing(const QString &target, const std::function<void(const QString &part)> &write) {
  const QString part = target + QStringLiteral(".part-") +
                       QUuid::createUuid().toString(QUuid::WithoutBraces).left(8);
  try {
    write(part);
    // rename() replaces the old file in one step.
    if (std::rename(QFile::encodeName(part).constData(), QFile::encodeName(target).constData()))
      throw TLibraryError(
          QCoreApplication::translate("TPuzzleLibrary", "%1 could not be written.").arg(target));
  } catch (...) {
    QFile::remove(part);
    throw;
  }
}
