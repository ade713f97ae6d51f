// Turning an internal skin into the run-time tables, and the two steps both
// kinds of skin share: adding an image and adding a JPEG texture.
#pragma once

#include <string>

#include "skin/sSkinTables.h"
#include "skin/sStoredSkins.h"

namespace skin {

// Replaces the tables by the stored skin: master bitmap, images, skin-wide
// data, sections and patterns, in stored order. Pictures that cannot be
// decoded raise tk::EInvalidGraphic; FontColor words that are not integers
// raise tk::EConvertError.
void ConvertStoredSkin(const TsStoredSkin& skin, TsSkinTables& tables, TsSkinManager* owner);
// Its three steps, which skin loading runs one by one: the master bitmap and
// images; the skin-wide data and sections; the patterns. Each appends.
void ConvertStoredImages(const TsStoredSkin& skin, TsSkinTables& tables, TsSkinManager* owner);
void ConvertStoredSections(const TsStoredSkin& skin, TsSkinTables& tables);
void ConvertStoredPatterns(const TsStoredSkin& skin, TsSkinTables& tables, TsSkinManager* owner);

// Appends an image unless it cannot be drawn: an own picture that is empty,
// or a rectangle that is empty or leaves the master bitmap. Returns whether
// it was added.
bool AddImage(TsSkinTables& tables, TsMaskData image);

// A decoded JPEG of at least 90,000 pixels stays a pattern; a smaller one
// becomes a one-state texture image of its own.
void AddJpegTexture(TsSkinTables& tables, const std::string& section, const std::string& role, TsBitmap24 picture,
                    TsSkinManager* owner);

// The general data of a stored section, with both gradients parsed and both
// font colours split.
TsGeneralData ConvertSection(const TsSkinGeneral& stored);

}  // namespace skin
