// A folder of this process's own under the system's temporary folder, for
// the effects' restore files: the content folder may be read-only (an
// installed game) and several games may run from one content folder at once
// (the tests do), so such files never go there.
#pragma once

#include <string>

// Made on first use; ends with "/". Empty (the working folder) when the
// system gives no temporary folder.
const std::string& ScratchFolder();
// Removes it and what is in it.
void RemoveScratchFolder();
