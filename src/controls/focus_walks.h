// Keyboard focus between controls: Tab order along the ring, arrow keys
// within runs of push buttons and radio groups, and radio group checks.
#pragma once
#include <stdint.h>

void FocusNextTabStop();
void FocusPreviousTabStop();
void FocusNextInGroup();
void FocusPreviousInGroup();
// Checks a radio item and clears the rest of its group.
void CheckRadioItem(int32_t id);
// After the user clicked a radio item: its check and that of every other
// radio item of its window read back from the controls (the system
// unchecks the others without a notification).
void ReadRadioChecks(int32_t id);
