// Panel (a windowed container with bevels), shape and image (graphic).
#pragma once

#include "toolkit/Controls.h"
#include "toolkit/Graphics.h"

namespace tk {

enum class TBevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };

class TPanel : public TWinControl {
public:
  explicit TPanel(TComponent* owner);
  const char* ClassName() const override { return "TPanel"; }
  TBevelCut BevelOuter = TBevelCut::bvRaised;
  TBevelCut BevelInner = TBevelCut::bvNone;
  int BevelWidth = 1;
  TAlignment Alignment = TAlignment::taCenter;
  bool SetProperty(const std::string& name, const tpf0::Value& value) override;

protected:
  void CreateParams(TCreateParams& params) override;
  bool PaintWindow(HDC dc) override;
};

class TShape : public TGraphicControl {
public:
  explicit TShape(TComponent* owner);
  const char* ClassName() const override { return "TShape"; }
  TColor BrushColor = clWhite;
  bool BrushClear = false;
  TColor PenColor = clBlack;
  bool PenClear = false;
  void Paint(HDC dc) override;
  bool SetProperty(const std::string& name, const tpf0::Value& value) override;
};

class TImage : public TGraphicControl {
public:
  explicit TImage(TComponent* owner);
  const char* ClassName() const override { return "TImage"; }
  TPicture Picture;
  bool Stretch = false;
  bool Center = false;
  bool Transparent = false;
  void Paint(HDC dc) override;
  bool SetProperty(const std::string& name, const tpf0::Value& value) override;
};

}  // namespace tk
