#pragma once

#include <QColor>
#include <QFont>
#include <QStringList>

// The design's faces at fixed pixel sizes, with free faces of the same
// metrics or look where the named ones are missing.
inline QFont Face(const QStringList &families, int pixelSize, bool bold = false) {
  QFont font;
  font.setFamilies(families);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

inline QFont WindowFont(int pixelSize) {
  return Face({"MS Sans Serif", "Liberation Sans", "Arimo", "DejaVu Sans"}, pixelSize);
}

inline QFont ArialFont(int pixelSize) {
  return Face({"Arial", "Liberation Sans", "Arimo", "DejaVu Sans"}, pixelSize);
}

inline QFont ImpactFont(int pixelSize) {
  return Face({"Impact", "Liberation Sans Narrow", "DejaVu Sans Condensed", "DejaVu Sans"},
              pixelSize, true);
}

// The desktop's gradient colour of an inactive caption: the ground of the
// grid page and the Database tab.
inline const QColor InactiveCaption(215, 228, 242);
