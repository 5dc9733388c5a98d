// Look-ups by resource id in a module's tables.

#include "platform/core/dialog_template.h"

const DialogTemplate* FindDialog(const ModuleResources& module, int id) {
    for (const DialogTemplate* dialog : module.dialogs) {
        if (dialog->id == id) {
            return dialog;
        }
    }
    return nullptr;
}

const BinaryResource* FindResource(std::span<const BinaryResource> table, int id) {
    for (const BinaryResource& resource : table) {
        if (resource.id == id) {
            return &resource;
        }
    }
    return nullptr;
}

const StringResource* FindString(const ModuleResources& module, unsigned id) {
    for (const StringResource& string : module.strings) {
        if (string.id == id) {
            return &string;
        }
    }
    return nullptr;
}
