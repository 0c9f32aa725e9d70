#pragma once

#include <QString>

#include <stdexcept>

// An error of the library's engine or files, with the text the user reads.
class TLibraryError : public std::runtime_error {
public:
  explicit TLibraryError(const QString &text) : std::runtime_error(text.toStdString()) {}
};
