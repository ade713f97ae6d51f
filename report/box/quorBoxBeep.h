// The box's beep (the "hand" system sound), sounded beside the box instead
// of before it.
#pragma once

namespace quor {

// Starts the sound from a thread of its own and returns at once. The first
// sound of a process loads the sound system (Wine: 85-100 ms), which must
// not hold back the box; and when a suspended thread holds the loader lock,
// only the sounding thread waits for it. Sounds in the calling thread when
// no thread can be started.
void BeepHandAside();

}  // namespace quor
