// Registers the toolkit's standard component classes with the layout reader.
#pragma once

namespace tk {

void RegisterStandardClasses();

}  // namespace tk
