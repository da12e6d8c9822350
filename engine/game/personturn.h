// The person's turn modes: what the person's mouse and keys do now. They
// live beside the two values of the game (they are the shell's side of the
// person's seat, not the table's) and are saved with them.
#pragma once

namespace vornak {

struct PersonModes {
    bool DrawPhase = false, PilePickMode = false, ArrangeMode = false, DiscardMode = false,
         LayDownMode = false, PlayMenuOn = false, ArrangeFirstChosen = false;
    int ArrangeFirstPos = 0;
    int SelectionCount = 0;
    bool LayOffKindSet = false, LayOffKindRun = false;
    bool LayDownDone = false;
};

}  // namespace vornak
