#pragma once

#include <QString>

#include <functional>

// Writes a file under a temporary name beside target and renames it into
// place once complete, so a failure leaves no partial file and any old file
// of that name as it was. write gets the temporary path and throws on failure.
void WriteReplacing(const QString &target, const std::function<void(const QString &part)> &write);
