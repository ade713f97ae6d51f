// Address space and memory kept back for the moment of a fault: four 4 MiB
// reservations and four committed 512 KiB blocks, all without access. They
// are let go while an exception is handled, so that an out-of-memory
// condition leaves room to build the report, and taken again afterwards.
#pragma once

namespace quor {

void TakeEmergencyReserve();
void ReleaseEmergencyReserve();

}  // namespace quor
