#pragma once

// The program's version resource as data: the numbers and names that the version block of
// the Windows build carries. Writing the block into the resource script is the job of the
// generator in tools/rcgen; nothing here reads or shows them.

struct VersionInfo {
    const char* file_version;    // dotted, one to four parts: "1.2"
    const char* product_version; // "1.2.0.4"
    unsigned language;           // a Windows language id: 0x041F, Turkish
    unsigned code_page;          // of the strings: 0x04B0, Unicode
    const char* company;         // code page 1254
    const char* product_name;    // code page 1254; also the file description
};

extern const VersionInfo ProgramVersion;
