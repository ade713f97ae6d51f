// The shared main of the text-form compilers (layoutc, settingsc): reads
// INPUT, compiles it with the folder of INPUT as the base for included
// files, writes OUTPUT; errors go to standard error with the input's name.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using TextCompiler = std::function<std::vector<uint8_t>(const std::string& text, const std::string& baseDir)>;

// Returns the process exit code: 0 written, 1 failed, 2 wrong usage.
int CompileFileMain(const char* tool, int argc, char** argv, const TextCompiler& compile);
