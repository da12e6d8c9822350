// The rules of the game, as shown by the Help window.
#pragma once

#include <QString>

namespace vornak {

// Rich text (simple HTML) of the whole rules text.
QString rulesHtml();

}  // namespace vornak
