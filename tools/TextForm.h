// The readable text form of stored layouts, which developers edit:
//
//   object form_main: Tform_main
//     Caption = 'Brisquel - File Sorvenal'   strings: '...', #13 codes, '+' joins
//     Font.Height = -11                      integers, $hex, reals (1.5)
//     Anchors = [akTop, akRight]             sets
//     OnCreate = FormCreate                  identifiers, True, False, nil
//     Lines.Strings = ('a' 'b')              lists
//     Items = < item Name = 'x' end >        collections
//     Glyph.Data = {0A0B0C}                  binary, hexadecimal
//     Glyph.Data = @bitmap('close.bmp')      a BMP file as a bitmap's data
//     Picture.Data = @picture('logo.jpg')    a JPEG or BMP file as a picture's data
//     Data = @file('x.bin')                  a file's bytes as binary
//     InternalSkins = @skins('skins/Neutral') skin folders as stored skins
//     object Child: TClass ... end
//   end
//
// Files named by @ forms are relative to the base folder given to the parser.
// Parse errors raise tk::EConvertError with the line number.
#pragma once

#include <string>

#include "toolkit/Tpf0.h"

namespace textform {

tpf0::Object Parse(const std::string& text, const std::string& baseDir);

}  // namespace textform
