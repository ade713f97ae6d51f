// The window class of the toolkit's own windows (forms, panels).
#pragma once

namespace tk {

// Registers the class on first use and returns its name.
const wchar_t* ToolkitWindowClass();

}  // namespace tk
