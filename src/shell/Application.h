#pragma once
// Start-up of the windowed program: the application object, the interface language, the
// main window, the message loop.
#include <QString>
#include <optional>

int RunGrizal2(int argc, char **argv);
// The language of a run: the one asked for on the command line, else the one chosen in the
// program and stored, else Russian (never the locale's).
QString StartLanguage(const std::optional<QString> &asked);
