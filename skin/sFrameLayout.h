// Where a skinned form's frame puts things: border widths, caption height,
// icon, caption buttons, caption text, which buttons show and work, what a
// point of the frame is (hit codes), where a moved form snaps and where the
// skin submenu breaks into columns. Painting, hit testing and clicks all
// use these numbers, so what is drawn is what a click hits.
// Platform-free: the system's sizes come in as plain numbers; rectangles
// are in window coordinates.
#pragma once

#include <cstdint>
#include <vector>

namespace skin {

enum class TFrameBorder : uint8_t { None, Single, Sizeable, Dialog, ToolWindow, SizeToolWin };
enum TFrameIcons : uint8_t { fiSystemMenu = 1, fiMinimize = 2, fiMaximize = 4, fiHelp = 8 };
enum class TFrameState : uint8_t { Normal, Minimized, Maximized };

// The hit codes a frame answers (the system's numbers), and 1000 + i for
// the application's title button i.
enum TFrameHit : int32_t {
  fhNowhere = 0,
  fhClient = 1,
  fhCaption = 2,
  fhSysMenu = 3,
  fhMinButton = 8,
  fhMaxButton = 9,
  fhBottomRight = 17,
  fhClose = 20,
  fhHelp = 21,
  fhTitleButton = 1000,
};

struct TFrameRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  bool Contains(int32_t x, int32_t y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
  bool Empty() const { return Right <= Left || Bottom <= Top; }
  bool operator==(const TFrameRect&) const = default;
};

// The system's sizes the frame is measured with.
struct TSystemFrameSizes {
  int32_t DialogFrameX = 3, DialogFrameY = 3;  // SM_CXDLGFRAME, SM_CYDLGFRAME
  int32_t SizeFrameX = 4, SizeFrameY = 4;      // SM_CXFRAME, SM_CYFRAME
  int32_t Caption = 19, SmallCaption = 15;     // SM_CYCAPTION, SM_CYSMCAPTION
  int32_t MenuHeight = 19;                     // SM_CYMENU
};

struct TFrameInput {
  TFrameBorder Border = TFrameBorder::Sizeable;
  uint8_t Icons = fiSystemMenu | fiMinimize | fiMaximize;
  TFrameState State = TFrameState::Normal;
  bool HasCaptionStyle = true;  // the window style has WS_CAPTION
  bool ShowAppIcon = true;
  int32_t TitleIconWidth = 0, TitleIconHeight = 0;  // 0: from the caption height
  int32_t MenuLines = 0;                            // rows of the main menu, 0 without one
  int32_t WindowWidth = 0, WindowHeight = 0;
  int32_t ButtonWidth = 0, ButtonHeight = 0;  // one frame of the close image; 0 when the skin has none
  bool CloseDisabled = false;                 // the window offers no Close (its system menu's is greyed)
  std::vector<int32_t> TitleButtonWidths;     // the application's title buttons, in order
};

// The caption buttons laid out right to left, touching.
enum TCaptionButton : uint8_t { cbClose, cbMaximize, cbMinimize, cbHelp, cbCount };

struct TFrameLayout {
  bool HasFrame = false;
  int32_t SideBorder = 0, TopBorder = 0, BottomBorder = 0;
  int32_t CaptionHeight = 0, MenuHeight = 0;
  int32_t IconSize = 0;  // square; 0 when no icon shows
  TFrameRect Icon;
  bool Shown[cbCount] = {};
  bool Enabled[cbCount] = {};
  TFrameRect Buttons[cbCount];
  std::vector<TFrameRect> TitleButtons;
  TFrameRect Text;  // the caption text's room before vertical centring
  bool operator==(const TFrameLayout&) const = default;
};

// The size of a caption button: one frame of the skin's image, 21 x 21
// when the skin has none (hit but not drawn).
inline constexpr int32_t kDefaultCaptionButton = 21;

TFrameLayout LayoutFrame(const TFrameInput& input, const TSystemFrameSizes& sizes);

// What the point (window coordinates) of a form with a caption is. `grip`
// is the top-left corner of the size grip, or none (x < 0). fhClient means
// the form's own answer stands.
int32_t FrameHitTest(const TFrameLayout& layout, int32_t x, int32_t y, int32_t gripLeft = -1, int32_t gripTop = -1);

// Where a form being moved to (x, y) lands when it is within `buffer`
// pixels of its monitor's work-area edges: flush with the edge it nears.
struct TSnapInput {
  int32_t X, Y, Width, Height;
  TFrameRect WorkArea;  // of the monitor the form is on
  int32_t Buffer;
};
void SnapToWorkArea(const TSnapInput& input, int32_t& x, int32_t& y);

// The positions in a list of `count` menu items before which a new column
// starts, every `perColumn` items.
std::vector<int32_t> MenuColumnBreaks(int32_t count, int32_t perColumn);

}  // namespace skin
