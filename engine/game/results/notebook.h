// Where the score notebook stands: its round rows and how far they are
// scrolled in its band.
#pragma once

namespace vornak {

struct NotebookState {
    long rows = 0;    // the round rows written, the round under way's included
    long scroll = 0;  // the rows scrolled up out of the band

    // The band shows three rows: it scrolls on down while more are below
    // them, and back up while any are above.
    bool canScrollDown() const { return scroll < rows - 2; }
    bool canScrollUp() const { return scroll != 0; }
};

}  // namespace vornak
