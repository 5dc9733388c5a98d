// The program's module: its five dialog templates, its icon and its banner bitmap, and the
// look-ups by resource id that the window system uses to load them. The icon and bitmap
// bytes are the files resources/kalvetra.ico and resources/banner.bmp, compiled in by the
// build.

#include "platform/dialog_template.h"
#include "resources/resource_ids.h"
#include "resources/templates.h"

#include <cstdint>
#include <span>

extern const std::span<const std::uint8_t> Embedded_kalvetra_ico;
extern const std::span<const std::uint8_t> Embedded_banner_bmp;

namespace {

const DialogTemplate* const Dialogs[] = {
    &MainDialogTemplate,  &LogicPageTemplate, &MathPageTemplate,
    &ConvertPageTemplate, &AboutPageTemplate,
};

const BinaryResource Icons[] = {{AppIconId, Embedded_kalvetra_ico}};
const BinaryResource Bitmaps[] = {{BannerBitmapId, Embedded_banner_bmp}};

} // namespace

const ModuleResources ProgramResources{Dialogs, Icons, Bitmaps};

const DialogTemplate* FindDialog(const ModuleResources& module, int id) {
    for (const DialogTemplate* dialog : module.dialogs) {
        if (dialog->id == id)
            return dialog;
    }
    return nullptr;
}

const BinaryResource* FindResource(std::span<const BinaryResource> table, int id) {
    for (const BinaryResource& resource : table) {
        if (resource.id == id)
            return &resource;
    }
    return nullptr;
}
