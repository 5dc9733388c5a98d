#pragma once

// Redirects a function that this program imports from a system DLL: its slot in the
// program's own import address table is made to point at a replacement, so that every call
// the program's code makes to it reaches the replacement. Other modules, and the system
// itself, keep calling the original. Which functions are redirected, and why, is the
// caller's business.

// Returns the function that the slot held, or nullptr when the program does not import
// function from dll (the slot is then left alone).
void* RedirectImport(const char* dll, const char* function, void* replacement);
