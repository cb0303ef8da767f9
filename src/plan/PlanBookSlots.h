#pragma once
// Slot operations on plan books that several plan operations share.

#include "plan/PlanState.h"

namespace pk10 {

// Sets slots first..last (inclusive) to the empty text.
void EmptySlots(PlanBook& book, int first, int last);

// The last line of a walk's book: the highest slot from 255 down to 1 holding a
// text; 0 when slots 1 to 255 are all empty.
int LastLineSlot(const PlanBook& book);

// The highest non-empty slot of the whole book; -1 for an empty book.
int RunningLineSlot(const PlanBook& book);

// Moves every line `count` slots down; the lowest `count` lines are dropped and
// the top `count` slots become empty.
void ShiftBookDown(PlanBook& book, int count);

}  // namespace pk10
