// An empty Qt main window, shown and painted once: the yardstick for the
// game's start-up time and memory.
#include <QApplication>
#include <QMainWindow>

#include "painted.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(1109, 800);
    PaintWatch watch(&window);
    window.show();
    watch.waitAndReport();
    return 0;
}
