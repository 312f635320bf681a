// Registration of the editor dialogs' classes and their form descriptions.
#pragma once

namespace zk {

// Registers the inspector's and the item list's classes, the dialog forms and
// their embedded form descriptions. Idempotent; every dialog's constructor
// calls it too.
void RegisterDialogsClasses();

}  // namespace zk
