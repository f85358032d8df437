#pragma once
// Giving memory the program has freed back to the system.

namespace platform {

// Returns the free pages the allocator holds to the system. It walks the
// whole heap: for after a large block was freed, never on a hot path.
void ReturnFreedMemory();

} // namespace platform
