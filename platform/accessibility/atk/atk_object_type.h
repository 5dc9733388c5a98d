#pragma once

// The GObject types of the accessible objects: an AtkObject subclass that answers ATK from
// the window's own description (name, role, states, relations, children), with the
// interfaces each object needs: AtkComponent always, AtkAction where it has actions,
// AtkText where it has text, AtkEditableText where that text is editable, AtkSelection for
// a tab strip and AtkWindow for a top-level dialog. One type per set of interfaces, made the
// first time such an object is. Which objects exist is atk_tree.h's business.

#include "platform/accessibility/accessible_object.h"

#include <glib-object.h>

// The type for an object that describes itself so.
GType AtkTypeFor(const AccessibleObject& object);
// The type of the application object at the root.
GType AtkApplicationType();
