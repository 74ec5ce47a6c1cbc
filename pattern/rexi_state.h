#pragma once

#include "pattern/rexi_charset.h"

#include <vector>

struct REXI_State;

// One move of the automaton: it consumes one byte of the class and leads to the target.
struct REXI_Transition {
    REXI_CharSet charSet;
    REXI_State* target; // not owned
};

// A state of the nondeterministic automaton (without empty moves) that the compiler builds. Owned by the
// compiler; the only change ever made to the transitions is appending.
struct REXI_State {
    int id = 0;
    int tokenNumber = -2;
    bool accepting = false;
    std::vector<REXI_Transition> transitions;
};
