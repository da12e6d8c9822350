// The least window that shows what the game's window starts with: a menu
// bar and a line of Thai text, with the program's font set-up. Beside the
// empty window it shows what drawing any text at all costs at start-up.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

#include "painted.h"
#include "thaifont.h"

int main(int argc, char** argv) {
    vornak::startLoadingFonts();
    QApplication app(argc, argv);
    vornak::useThaiFont(app);
    QMainWindow window;
    window.resize(1152, 806);  // the game's window in the benchmark
    for (const char* title : {"&Game", "&Play", "&Help"}) window.menuBar()->addMenu(title);
    auto* text = new QLabel(QString::fromUtf8("เหลือ 23 ใบ"));
    window.setCentralWidget(text);
    PaintWatch watch(text);
    window.show();
    watch.waitAndReport();
    return 0;
}
