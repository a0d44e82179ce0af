// The common controls library, loaded from the system folder only.
#pragma once

// Registers the list view's window class. COMCTL32 is not one of the DLLs Windows always
// takes from its own folder, so it is loaded by its full system path rather than imported:
// an import would be looked for beside the exe first, where anyone can drop a DLL.
bool load_list_view_classes();
