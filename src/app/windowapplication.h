#pragma once

#include <QApplication>
#include <memory>

// The application of the window: Fusion style, the program's icon, its desktop entry.
// Without a display Qt would end the program with an abort and a page about platform plugins;
// instead, one line on standard error says that the window needs a display and that
// `pelmora convert` works without one, and the program exits with status 1.
std::unique_ptr<QApplication> startWindowApplication(int &argc, char **argv);
