// The dialog calls of windows_api.h: dialogs made from the templates of a module, modal or
// modeless, and ending the modal one.

#include "platform/core/expect.h"
#include "platform/core/window_system.h"

// The template that a module names by number; null for a name or a number it lacks.
static const DialogTemplate* TemplateOf(HINSTANCE instance, LPCSTR template_name) {
    if (instance == nullptr || !IS_INTRESOURCE(template_name)) {
        return nullptr;
    }
    return FindDialog(*instance, static_cast<int>(reinterpret_cast<std::uintptr_t>(template_name)));
}

INT_PTR DialogBoxParam(HINSTANCE instance, LPCSTR template_name, HWND owner, DLGPROC procedure,
                       LPARAM init_param) {
    const DialogTemplate* dialog = TemplateOf(instance, template_name);
    if (dialog == nullptr || !KALVETRA_EXPECT(Windows().backend != nullptr)) {
        return -1;
    }
    return RunModalDialog(*dialog, owner, procedure, init_param, instance);
}

HWND CreateDialogParam(HINSTANCE instance, LPCSTR template_name, HWND parent, DLGPROC procedure,
                       LPARAM init_param) {
    const DialogTemplate* dialog = TemplateOf(instance, template_name);
    if (dialog == nullptr) {
        return nullptr;
    }
    return CreateDialogFromTemplate(*dialog, parent, procedure, init_param, instance);
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    if (!IsLive(dialog)) {
        return FALSE;
    }
    dialog->dialog_ended = true;
    dialog->dialog_result = result;
    return TRUE;
}
