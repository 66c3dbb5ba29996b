#pragma once

// Makes the desktop's compiled-in files (the program's icon) available under ":/"; the
// front end lives in a static library, whose resources are not registered on their own.
void LoadGuiResources();
