#ifndef VANTREL_SRC_WINDOW_HIGHDPI_H
#define VANTREL_SRC_WINDOW_HIGHDPI_H

// Scales the window to the screen's pixel ratio, as Qt 6 does by itself: Qt 5 needs to be
// told so before the application object exists.
void Prepare_High_Dpi();

#endif
