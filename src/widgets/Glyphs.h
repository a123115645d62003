#pragma once
// Small drawn glyphs for tool buttons: a short text in a rounded frame.
#include <QColor>
#include <QIcon>
#include <QString>

QIcon TextGlyph(const QString &text, const QColor &color = QColor(0, 0, 128));
