#include "filereplace.h"

#include "puzzlelibrary.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
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

QString CopyReplacing(const QString &source, const QString &target) {
  QFile in(source);
  QSaveFile out(target);
  if (!in.open(QIODevice::ReadOnly))
    return in.errorString();
  if (!out.open(QIODevice::WriteOnly))
    return out.errorString();
  while (!in.atEnd()) {
    const QByteArray block = in.read(1 << 16);
    if (block.isEmpty() && in.error() != QFileDevice::NoError)
      return in.errorString();
    if (out.write(block) != block.size())
      return out.errorString();
  }
  return out.commit() ? QString() : out.errorString();
}
