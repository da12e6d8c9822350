// An empty Qt main window, shown and painted once: the yardstick for the
// game's start-up time and memory.
#include <QApplication>
#include <QMainWindow>

#include "painted.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(1152, 806);  // the game's window in the benchmark, on a 1280 x 960 screen
    PaintWatch watch(&window);
    window.show();
    watch.waitAndReport();
    return 0;
}
