// Calibration of the loaded modules at start-up: the executable, the module
// holding the library and every loaded ".bpl" package get the header fields
// of their build-layout record (quorCalibrationRecord.h) written into their
// in-memory optional header.
#pragma once

#include <cstdint>

// The fixed function and variable whose distances from the bases of code
// and data anchor the library's own record (found by name by quorcalibrate).
extern "C" void quorCalibrationCode();
extern "C" const volatile uint32_t quorCalibrationData;

namespace quor {

// The number of modules whose header was set.
uint32_t CalibrateModules();

}  // namespace quor
