#pragma once
// Icons of the tool buttons: the desktop's own for standard actions, drawn ones otherwise.
#include <QColor>
#include <QIcon>
#include <QString>

// A short text as a glyph, for commands no desktop has an icon for.
QIcon TextGlyph(const QString &text, const QColor &color = QColor(0, 0, 128));

// The desktop theme's icon of a standard action ("document-new", "edit-cut", ...), or, where
// the desktop has none (no theme, as in a bare X session), a drawn one of the same meaning.
// Names of the program's own commands ("grizal-open-add", "grizal-generate") are drawn.
QIcon StandardIcon(const QString &themeName);
// The drawn icon alone (what StandardIcon falls back to).
QIcon DrawnIcon(const QString &themeName);
