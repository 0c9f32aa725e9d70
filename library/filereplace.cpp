#include "filereplace.h"

#include "libraryerror.h"

#include <QCoreApplication>
#include <QFile>
#include <QUuid>

#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace {

// The renamed file must hold its bytes even when the machine stops a moment later.
bool SyncToDisk(const QString &path) {
  const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY);
  if (descriptor < 0)
    return false;
  const bool synced = ::fsync(descriptor) == 0;
  ::close(descriptor);
  return synced;
}

} // namespace

void WriteReplacing(const QString &target, const std::function<void(const QString &part)> &write) {
  const QString part = target + QStringLiteral(".part-") +
                       QUuid::createUuid().toString(QUuid::WithoutBraces).left(8);
  const QString failed =
      QCoreApplication::translate("TPuzzleLibrary", "%1 could not be written.").arg(target);
  try {
    write(part);
    if (!SyncToDisk(part))
      throw TLibraryError(failed);
    // rename() replaces the old file in one step.
    if (std::rename(QFile::encodeName(part).constData(), QFile::encodeName(target).constData()))
      throw TLibraryError(failed);
  } catch (...) {
    QFile::remove(part);
    throw;
  }
}

namespace {
struct TGivenUp {};
} // namespace

bool WriteReplacing(const QString &target, const std::function<bool(QFile &out)> &write) {
  try {
    WriteReplacing(target, [&](const QString &part) {
      QFile out(part);
      if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw TLibraryError(out.errorString());
      if (!write(out))
        throw TGivenUp{};
      if (!out.flush())
        throw TLibraryError(out.errorString());
      out.close();
      if (out.error() != QFileDevice::NoError)
        throw TLibraryError(out.errorString());
    });
  } catch (const TGivenUp &) {
    return false;
  }
  return true;
}

void WriteAll(QFile &out, const QByteArray &bytes) {
  for (qint64 done = 0; done < bytes.size();) {
    const qint64 written = out.write(bytes.constData() + done, bytes.size() - done);
    if (written <= 0)
      throw TLibraryError(out.errorString());
    done += written;
  }
}
