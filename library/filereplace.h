#pragma once

#include <QString>

#include <functional>

class QFile;

// Writes a file under a temporary name beside target and renames it into
// place once complete and on the disk, so a failure leaves no partial file
// and any old file of that name as it was. write gets the temporary path
// and throws on failure.
void WriteReplacing(const QString &target, const std::function<void(const QString &part)> &write);
// The same, for bytes written to the temporary file opened for writing;
// write answers whether to keep them. False when it gave up, and then
// nothing is left behind.
bool WriteReplacing(const QString &target, const std::function<bool(QFile &out)> &write);

// All of bytes, or throws with the file's error text; a write cut short by a
// full disk says why only when tried again.
void WriteAll(QFile &out, const QByteArray &bytes);
