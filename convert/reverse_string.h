#pragma once

// Copies a terminated text and reverses the copy, as the octal display needs: "01" becomes
// "10". Knows nothing of digits.

// Copies source, terminator included, into destination, which must have room for it, then
// reverses the characters of destination in place. Returns destination.
char* ReverseString(const char* source, char* destination);
