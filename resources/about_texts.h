#pragma once

// The maker's web address: the text that the About page's link shows, and the target that a
// click on it hands to the shell (the same address with a closing "/"). Opening it is the
// About page's job.

extern const char MakerWebAddress[]; // "http://www.qlx.example"
extern const char MakerWebTarget[];  // "http://www.qlx.example/"
