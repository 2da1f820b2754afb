#pragma once
// The files of kq9ctl are where the desktop program finds them (app/FileLocations.h): the data
// files beside the program or in its shared data folder, application.ini beside the program or
// in the user's configuration folder, everything in --home DIR when given.

#include "cli/CtlOptions.h"

// Sets ProgramPath and SettingsPath for this run.
void SetCtlFileLocations(const TCtlOptions& options);
