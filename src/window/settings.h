#ifndef VANTREL_SRC_WINDOW_SETTINGS_H
#define VANTREL_SRC_WINDOW_SETTINGS_H

// Where the window remembers the user's choices (QSettings), the same for every build of the
// program.
const char* const Settings_Organisation = "Vantrel";
const char* const Settings_Application = "vantrel";

#endif
