// Reading the table's background pictures.
#pragma once

#include <QImage>

#include <string>

namespace vornak {

// The picture in the file as the table draws it: RGB32, or premultiplied
// ARGB32 when it has transparency; null when the file cannot be read as a
// picture. Uncompressed 24-bit BMP files (the built-in tables) are read
// straight into place; other files go through Qt's image readers, the
// format told by the file's first bytes rather than probed.
QImage readPicture(const std::string& path);

// Starts reading a picture on a worker thread, for the next readPicture()
// of the same file to take over. For the table's first picture, read while
// the window system starts up; no QGuiApplication is needed.
void readPictureAhead(const std::string& path);

}  // namespace vornak
