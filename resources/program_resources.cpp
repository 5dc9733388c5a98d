// The program's module: its five dialog templates, its icon, its banner bitmap and the words
// of the edit fields' context menu. The icon and bitmap bytes are the files
// resources/kalvetra.ico and resources/banner.bmp, compiled in by the build.

#include "resources/program_resources.h"

#include "platform/controls/control_classes.h"
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

const StringResource Strings[] = {
    {IDM_EDIT_UNDO, "Geri Al"}, {IDM_EDIT_CUT, "Kes"},
    {IDM_EDIT_COPY, "Kopyala"}, {IDM_EDIT_PASTE, "Yap\xFD\xFEt\xFDr"},           // Yapıştır
    {IDM_EDIT_DELETE, "Sil"},   {IDM_EDIT_SELECT_ALL, "T\xFCm\xFCn\xFC Se\xE7"}, // Tümünü Seç
};

} // namespace

const ModuleResources ProgramResources{Dialogs, Icons, Bitmaps, Strings};
