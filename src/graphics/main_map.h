// What follows an assignment to the main map (Maps entry 0).
#pragma once

// The surface is rebuilt for the new map; the main window is placed around
// its centre only when the surface's pixel size changed; everything is
// marked for redrawing.
void MainMapAssigned();
