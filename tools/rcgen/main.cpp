// kalvetra-rcgen: writes the resource script of the Windows build, kalvetra.rc, from the
// program's dialog templates, icon, banner and version data. Usage: kalvetra-rcgen OUTPUT
// The icon and the banner are named by file name only; the build tells the resource
// compiler where to find them (resources/).

#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "resources/version_info.h"
#include "tools/rcgen/resource_script.h"

#include <fstream>
#include <iostream>
#include <stdexcept>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: kalvetra-rcgen OUTPUT\n";
        return 2;
    }
    const ResourceScript script{
        ProgramResources.dialogs,
        {AppIconId, "kalvetra.ico"},
        {BannerBitmapId, "banner.bmp"},
        ProgramVersion,
    };
    std::ofstream out(argv[1], std::ios::binary);
    try {
        WriteResourceScript(out, script);
    } catch (const std::invalid_argument& error) {
        std::cerr << "kalvetra-rcgen: " << error.what() << "\n";
        return 1;
    }
    out.close();
    if (!out) {
        std::cerr << "kalvetra-rcgen: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
