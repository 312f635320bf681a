// Registration of the item-list grid's streamable classes and its glyph bitmaps.
#pragma once

namespace zk {

// Registers the GUI platform's classes, TZkItemListEditor and the glyph
// resources "MINUSSIGN" and "PLUSSIGN". Idempotent; the grid's constructor
// calls it too.
void RegisterItemListClasses();

}  // namespace zk
