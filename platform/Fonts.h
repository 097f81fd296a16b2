#pragma once
// Fonts: the faces drawings name, mapped to installed fonts, and the list of
// installed families.

#include <QString>
#include <QStringList>

namespace platform {

// Maps the Japanese Windows faces drawings name ("ＭＳゴシック", "ＭＳ 明朝",
// "ＭＳ Ｐゴシック", "MS Mincho", ...) to the installed IPA fonts with QFont
// substitutions. Called once at start-up, after the QApplication exists;
// calling it again does no harm.
void installFontSubstitutions();

// The installed font family that stands in for face (face itself when it is
// installed or nothing is known about it).
QString substituteFamily(const QString& face);

// Font families installed, sorted, each once under its plain name (without a
// foundry), together with the Japanese faces drawings name most ("ＭＳゴシック",
// "ＭＳ 明朝", and their proportional forms) where a font stands in for them.
QStringList fontFamilies();

} // namespace platform
