#pragma once

#include "platform/core/document.h"

class CompositionVector;

// The product family's document: a Document that can say which elements and moieties it uses, so that a
// moiety still in use is not removed from the element table.
class CKestrolabDocument : public Document {
public:
    // The sum of the compositions of everything the document uses.
    virtual CompositionVector GetUsedComposition() const = 0;
};
