#pragma once
// Start-up of the windowed program: the application object, the Russian translations,
// the main window, the message loop.
int RunGrizal2(int argc, char **argv);
