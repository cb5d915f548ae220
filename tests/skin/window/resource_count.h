// What a skin test's process holds, counted by the system rather than by the skin's own code.
#pragma once

#include <cstddef>

namespace skin_test {

// How many more GDI objects the process can make, by the system's own table (filled with brushes,
// then emptied): two counts differ by exactly the handles made and kept in between.
int FreeGdiSlots();
// The process's committed bytes, where GDI+ objects left behind show (they have no table).
size_t CommittedBytes();

}  // namespace skin_test
