// Draws the table backgrounds and the round-end picture into a folder.
#include <QColor>
#include <QImage>
#include <QString>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const char* names[] = {"bkGrnd1.bmp", "bkGrnd2.jpg", "bkGrnd3.jpg", "bkGrnd4.bmp",
                           "bkGrnd5.bmp", "bkGrnd6.jpg", "endround1.bmp"};
    const QColor colors[] = {QColor(20, 110, 50), QColor(110, 110, 115), QColor(120, 20, 30),
                             QColor(10, 40, 20),  QColor(15, 10, 40),    QColor(60, 120, 60),
                             QColor(30, 60, 90)};
    for (int i = 0; i < 7; ++i) {
        QImage img(792, 554, QImage::Format_RGB32);
        img.fill(colors[i]);
        if (!img.save(dir + "/" + names[i])) return 1;
    }
    return 0;
}
