// Registration of the collection editor's and the items editor's classes and form descriptions.
#pragma once

namespace zk {

// Registers the inspector's classes, the dialog forms and their embedded form
// descriptions. Idempotent; every dialog's constructor calls it too.
void RegisterCollectionDialogsClasses();

}  // namespace zk
