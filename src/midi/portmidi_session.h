#pragma once
// PortMidi's life inside Notelink: initialised once, on first use, never by
// loading the library; rebuilt only on request; terminated when the library
// goes away. Device-list entries and streams belong to one device list, so
// each is stamped with the list's generation and turns stale when that list
// is discarded.

#include <cstdint>

namespace notelink {

// The init-once rule: initialise PortMidi unless that already succeeded.
void initialiseOnce();

// The Initialize member: as initialiseOnce, answering PortMidi's result
// (0 when it had already succeeded).
int64_t initialize();

// The ReInitialize member: terminate and initialise again, discarding the
// device list and every stream opened on it.
int64_t reinitialize();

// Changes whenever PortMidi's device list is discarded.
uint64_t deviceListGeneration();

}  // namespace notelink
