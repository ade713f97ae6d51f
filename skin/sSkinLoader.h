// Loading the selected skin into the run-time tables: an external skin
// folder ("Options.dat" with its pictures) wins over an internal skin of the
// same name; without either the first internal skin is taken. The manager's
// extra sections are merged in, then hue and saturation are applied.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "skin/sIniFiles.h"
#include "skin/sSkinFiles.h"
#include "skin/sSkinTables.h"
#include "skin/sStoredSkins.h"

namespace skin {

struct TsSkinLoadRequest {
  std::string SkinName;       // may be replaced by the first internal skin's name
  std::string SkinDirectory;  // resolved, with a trailing backslash
  const TsStoredSkins* InternalSkins = nullptr;
  std::vector<std::string> CommonSections;  // INI lines, blanks already stripped
  int32_t HueOffset = 0, Saturation = 0;
  TsSkinManager* Owner = nullptr;
  // Turns a stored colour (possibly a system colour) into RGB.
  std::function<TColor(TColor)> ColorToRGB = [](TColor c) { return c & 0xFFFFFFu; };
};

enum class TsSkinSource { None, External, Internal };

// Fills the tables; None when there is neither a folder nor an internal
// skin (the tables are then empty). Errors of the skin data propagate:
// tk::EConvertError for malformed numbers, tk::EInvalidGraphic for pictures
// that cannot be decoded. Missing picture files are skipped.
TsSkinSource LoadSkinTables(TsSkinLoadRequest& request, const TsSkinFiles& files, TsSkinTables& tables);

// The external skin's parts, for the folder converter: the sections (with
// inheritance resolved) and skin-wide data, and every image value.
void ReadExternalSections(const TsIniFile& ini, TsSkinTables& tables, const std::function<TColor(TColor)>& toRGB);

// A file name from a skin file: relative to the skin's folder unless it
// holds a drive (":").
std::string SkinFilePath(const std::string& skinPath, const std::string& name);

}  // namespace skin
