#include "report/assistant/quorNVLayout.h"

#include <algorithm>

namespace quor {

namespace {

// Pixels of the rules.
constexpr int32_t kOwnerDrawnHeight = 32, kOwnerDrawnPad = 20, kOwnerDrawnNarrow = 64, kOwnerDrawnMin = 85;
constexpr int32_t kPlainHeight = 23, kPlainPad = 20, kPlainNarrow = 55, kPlainMin = 75;
constexpr int32_t kMinFormWidth = 315, kButtonsMargin = 32, kNumberPitch = 19, kMessageMargin = 36;
constexpr int32_t kItemsTop = 40, kItemsLeft = 21, kItemsMargin = 46, kImageMargin = 42;
constexpr int32_t kLabelRaise = 2, kEditFrame = 2;
constexpr int32_t kCheckBoxPad = 20, kCheckBoxMinHeight = 13;
constexpr int32_t kExtraButtonPad = 32, kExtraButtonMin = 70, kExtraButtonHeightPad = 10;
constexpr int32_t kBottomPad = 33, kButtonsBottom = 9, kButtonsSide = 8;

NVSize StandardButtonSize(const NVItem& b, const NVMeasure& measure) {
  if (b.noOwnerDraw) {
    const int32_t w = measure(NVFont::kPlainButton, b.caption, 0).width;
    return {w < kPlainNarrow ? kPlainMin : w + kPlainPad, kPlainHeight};
  }
  const int32_t w = measure(NVFont::kButton, b.caption, 0).width;
  return {w <= kOwnerDrawnNarrow ? kOwnerDrawnMin : w + kOwnerDrawnPad, kOwnerDrawnHeight};
}

bool IsCaptionLabel(const NVItem& item, int32_t lineHeight, int32_t height) {
  if (item.kind != NVItemKind::Label || item.caption.empty()) return false;
  const char last = item.caption.back();
  return (last == ':' || last == '?') && height <= lineHeight;
}

int32_t SameKindSpacing(NVItemKind kind) {
  switch (kind) {
    case NVItemKind::Button: return 4;
    case NVItemKind::Edit: return 6;
    default: return 8;
  }
}

}  // namespace

NVLayout LayoutNVForm(const NVFormModel& form, int32_t formCount, const NVMeasure& measure,
                      const NVImageSize& imageSize) {
  NVLayout layout;
  layout.items.resize(form.items.size());
  constexpr size_t kStandard = 3;  // ContinueBtn, SkipBtn, CancelBtn
  if (form.items.size() < kStandard) return layout;

  NVSize buttons[kStandard];
  int32_t buttonsWidth = 0;
  for (size_t i = 0; i < kStandard; ++i) {
    buttons[i] = StandardButtonSize(form.items[i], measure);
    buttonsWidth += buttons[i].width;
  }
  const int32_t messageWidth = measure(NVFont::kMessage, form.message, 0).width;
  const int32_t width = std::max({buttonsWidth + kButtonsMargin, kMinFormWidth, form.minWidth,
                                  messageWidth + kNumberPitch * formCount + kMessageMargin});
  const int32_t lineHeight = measure(NVFont::kNormal, "Gg", 0).height;
  const int32_t inner = width - kItemsMargin;

  // The items' own sizes first: spacing looks at the neighbours.
  std::vector<NVSize> sizes(form.items.size());
  for (size_t i = kStandard; i < form.items.size(); ++i) {
    const NVItem& item = form.items[i];
    switch (item.kind) {
      case NVItemKind::Label: sizes[i] = {inner, measure(NVFont::kNormal, item.caption, inner).height}; break;
      case NVItemKind::Edit: sizes[i] = {inner, item.lines * lineHeight + kEditFrame}; break;
      case NVItemKind::CheckBox: {
        const NVSize text = measure(NVFont::kNormal, item.caption, 0);
        sizes[i] = {text.width + kCheckBoxPad, std::max(text.height, kCheckBoxMinHeight) + kEditFrame};
        break;
      }
      case NVItemKind::Button: {
        const NVSize text = measure(NVFont::kNormal, item.caption, 0);
        sizes[i] = {std::max({text.width + kExtraButtonPad, kExtraButtonMin, item.minWidth}),
                    text.height + kExtraButtonHeightPad};
        break;
      }
      case NVItemKind::Image: {
        const NVSize own = imageSize(item, width - kImageMargin);
        sizes[i] = {std::min(own.width, width - kImageMargin), own.height};
        break;
      }
    }
  }
  const auto captionLabel = [&](size_t i) {
    return i >= kStandard && i < form.items.size() && IsCaptionLabel(form.items[i], lineHeight, sizes[i].height);
  };

  int32_t y = kItemsTop;
  for (size_t i = kStandard; i < form.items.size(); ++i) {
    const NVItem& item = form.items[i];
    const int32_t top = item.kind == NVItemKind::Label ? y - kLabelRaise : y;
    layout.items[i] = {kItemsLeft, top, kItemsLeft + sizes[i].width, top + sizes[i].height};
    int32_t gap = item.spacing;
    if (gap == 0 && i + 1 < form.items.size()) {
      const NVItem& next = form.items[i + 1];
      if (captionLabel(i))
        gap = 4;
      else if (next.kind != item.kind)
        gap = captionLabel(i - 1) && captionLabel(i + 1) && i + 2 < form.items.size() &&
                      form.items[i + 2].kind == item.kind
                  ? 8
                  : 12;
      else
        gap = SameKindSpacing(item.kind);
    }
    y += sizes[i].height + gap;
  }

  const int32_t height = y + buttons[0].height + kBottomPad;
  layout.clientWidth = width;
  layout.clientHeight = height;
  const NVItem &cont = form.items[0], &skip = form.items[1], &cancel = form.items[2];
  const auto place = [&](size_t i, int32_t left) {
    if (!form.items[i].visible) return;
    const int32_t top = height - kButtonsBottom - buttons[i].height;
    layout.items[i] = {left, top, left + buttons[i].width, top + buttons[i].height};
  };
  const int32_t cancelLeft = width - kButtonsSide - buttons[2].width;
  place(2, cancelLeft);
  if (cont.noOwnerDraw && cancel.noOwnerDraw && !skip.visible) {
    place(0, cancelLeft - buttons[0].width);  // the system dialogs' order: OK left of Cancel
  } else {
    place(0, kButtonsSide);
    place(1, kButtonsSide + buttons[0].width);
  }
  return layout;
}

}  // namespace quor
