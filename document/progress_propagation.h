// Keeping the progress of categories that follow their children up to date
// after a row's progress changes or a row is added.
#pragma once

#include "document/edit_target.h"

namespace lumvik {

// The row's parent category takes the mean of the rows of its run that stand
// at the row's level, rounded down, and shows it. A parent that is a task (a
// file may put deeper rows under one) keeps its progress.
void RecomputeParentProgress(const EditTarget& target, int position);

// RecomputeParentProgress for the row and then for each of its ancestors in
// turn, from the nearest to the top-level one, in one pass over the top
// ancestor's run. A task among the ancestors keeps its progress, and those
// above it still follow their children.
void PropagateProgress(const EditTarget& target, int position);

}  // namespace lumvik
