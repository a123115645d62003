#pragma once
// Pictures of 4096 x 4096 pixels take 64 MB. The C library hands blocks that large out as
// fresh pages from the system and gives them back on release, so every operation that
// makes a new picture would pay for faulting in 64 MB again, more than its pixel work.
// Called once at start, this keeps released picture memory in the program for reuse.
void KeepPictureMemory();
