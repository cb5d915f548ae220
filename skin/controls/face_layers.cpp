#include "skin/controls/face_layers.h"

#include <commctrl.h>

namespace skin::controls {

std::vector<Layer> PushButtonLayers(UINT state) {
  std::vector<Layer> layers{Layer::kWhiteBase};
  if (state & kStateDisabled) {
    layers.insert(layers.end(), {Layer::kDisabledFill, Layer::kDisabledOutline, Layer::kCaption});
    return layers;
  }
  layers.insert(layers.end(), {Layer::kShade, Layer::kGloss});
  if (state & kStateHot) layers.insert(layers.end(), {Layer::kHotFill, Layer::kHotOutline});
  if (state & kStateFocus) {
    layers.insert(layers.end(), {Layer::kFocusGlow, Layer::kFocusOutline});
  } else {
    layers.push_back(Layer::kOutline);
  }
  if (state & kStatePressed) layers.push_back(Layer::kPressed);
  layers.push_back(Layer::kCaption);
  return layers;
}

namespace {

// A disabled toggle never lights up; the focus cue comes after the caption it goes round.
void EndToggle(std::vector<Layer>& layers, UINT state) {
  layers.push_back(Layer::kCaption);
  if (state & kStateFocus) layers.push_back(Layer::kFocusCue);
}

bool Lit(UINT state) { return (state & kStateHot) && !(state & kStateDisabled); }

}  // namespace

std::vector<Layer> RadioButtonLayers(UINT state, bool checked) {
  std::vector<Layer> layers{Layer::kRing, Layer::kDisc};
  if (Lit(state)) layers.push_back(Layer::kHotDisc);
  if (checked) layers.push_back(Layer::kDot);
  EndToggle(layers, state);
  return layers;
}

std::vector<Layer> CheckBoxLayers(UINT state, bool checked) {
  std::vector<Layer> layers{Layer::kBoxImage};
  if (checked) layers.push_back(Layer::kCheckImage);
  if (Lit(state)) layers.push_back(Layer::kHotBox);
  EndToggle(layers, state);
  return layers;
}

std::vector<Layer> FlatButtonLayers(UINT state) {
  if (state & kStateDisabled)
    return {Layer::kDisabledFill, Layer::kDisabledOutline, Layer::kCaption};
  std::vector<Layer> layers{Layer::kFlatFace, Layer::kFlatLine};
  if (state & kStateFocus) layers.push_back(Layer::kFocusOutline);
  layers.push_back(Layer::kCaption);
  return layers;
}

std::vector<Layer> TextButtonLayers(UINT state) {
  if (state & kStateDisabled) return {Layer::kCaption};
  std::vector<Layer> layers;
  if (state & kStateFocus) layers.push_back(Layer::kFocusOutline);
  if (state & (kStateHot | kStatePressed)) layers.push_back(Layer::kUnderline);
  layers.push_back(Layer::kCaption);
  return layers;
}

std::vector<Layer> HeaderItemLayers(bool hot, bool pressed) {
  std::vector<Layer> layers{Layer::kWhiteBase, Layer::kGloss};
  if (hot) layers.push_back(Layer::kHotFill);
  if (pressed) layers.push_back(Layer::kPressed);
  layers.insert(layers.end(), {Layer::kSeparator, Layer::kCaption});
  return layers;
}

int32_t HeaderTextAlignment(int32_t format) {
  switch (format & HDF_JUSTIFYMASK) {
    case HDF_CENTER:
      return 1;
    case HDF_RIGHT:
      return 2;
    default:
      return 0;
  }
}

int32_t FlatTintAlpha(UINT state) {
  if (state & kStatePressed) return 200;
  if (state & kStateHot) return 150;
  return 90;
}

int32_t GroupCaptionX(LONG style, int32_t boxWidth, int32_t captionWidth) {
  switch (style & BS_CENTER) {
    case BS_CENTER:
      return (boxWidth - captionWidth) / 2;
    case BS_LEFT:
      return 10;
    case BS_RIGHT:
      return boxWidth - captionWidth - 10;
    default:
      return 0;
  }
}

}  // namespace skin::controls
