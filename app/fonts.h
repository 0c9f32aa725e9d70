#pragma once

#include <QFont>

// The design's faces at fixed pixel sizes, with free faces of the same
// metrics or look where the named ones are missing.
inline QFont WindowFont(int pixelSize) {
  QFont font;
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                    QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans")});
  font.setPixelSize(pixelSize);
  return font;
}

inline QFont ArialFont(int pixelSize) {
  QFont font;
  font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                    QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans")});
  font.setPixelSize(pixelSize);
  return font;
}

inline QFont ImpactFont(int pixelSize) {
  QFont font;
  font.setFamilies({QStringLiteral("Impact"), QStringLiteral("Liberation Sans Narrow"),
                    QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
  font.setPixelSize(pixelSize);
  font.setBold(true);
  return font;
}
