// The program's start up to its main window, shared by main() and the
// start-up benchmark so that the benchmark times what a player waits for.
#pragma once

class QApplication;

namespace vornak {

struct Paths;

// Names the application; its folders follow the name.
void nameApplication();

// Starts, on worker threads, what can run before the QApplication exists
// and would otherwise hold up the first paint: fontconfig's reading of its
// configuration and the reading of the table's first picture. They run
// while the connection to the window system is set up, which mostly waits.
void startEarlyWork(const Paths& paths);

// Sets up the QApplication before any window: names, the Thai font (waiting
// for fontconfig), the window icon.
void setUpApplication(QApplication& app);

}  // namespace vornak
