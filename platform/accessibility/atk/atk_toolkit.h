#pragma once

// ATK's view of the toolkit as a whole: the application object at the root of the tree, the
// toolkit's name and version, and the global event listeners through which the bridge
// hears every object's signals (emission hooks on the signal that "Type:signal" names).

// Makes ATK answer for this program; before the bridge starts.
void InstallAtkToolkit();
