// The painters' process-wide images and patterns, made when first drawn, and the hidden window
// that rebuilds the radio-button images when the system colours change.
#include "controls/lookandfeel/cxPainterResources.h"

#include <cstdint>
#include <memory>

#include "framework/CommonControls.h"
#include "framework/Graphics.h"
#include "framework/Messages.h"
#include "framework/UtilWindow.h"

namespace {

// An image list, destroyed with its owner.
class TcxImageList {
 public:
  TcxImageList(int width, int height, int count)
      : list_(commctrl::ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, count, 0)) {}
  ~TcxImageList() {
    if (list_) commctrl::ImageList_Destroy(list_);
  }
  TcxImageList(const TcxImageList&) = delete;
  TcxImageList& operator=(const TcxImageList&) = delete;
  HIMAGELIST Get() const { return list_; }

 private:
  HIMAGELIST list_;
};

// Images are composed pixel by pixel in memory, in a strip that the image list then takes, the
// parts in `key` left out. (A drawing call per pixel cost the start-up about 20 ms.)
template <class PixelColor>
void AddStrip(const TcxImageList& list, int width, int height, int count, COLORREF key, PixelColor color) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width * count;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  gdi::Bitmap strip(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bits) return;  // no memory for the strip: the list stays empty and draws nothing, as before
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int i = 0; i < count; ++i)
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const COLORREF c = color(i, x, y);
        pixels[y * width * count + i * width + x] = GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
      }
  commctrl::ImageList_AddMasked(list.Get(), strip.Get(), key);
}

constexpr COLORREF kRadioKey = RGB(255, 0, 255);
constexpr int kButtonStates = pbsDisabled + 1;
// Radio images of the flat, standard and ultra-flat styles, by state, unchecked then checked.
constexpr int kRadioImageStyles = 3;

COLORREF RadioColor(PainterStyle style, PainterButtonState state, TcxRadioPixel pixel) {
  const bool lit = state == pbsHot || state == pbsPressed;
  auto face = [&]() -> TColor {
    if (style == psUltraFlat && state == pbsHot) return cxUltraFlatBlendColor(cxUltraFlatHotWeights);
    if (style == psUltraFlat && state == pbsPressed) return cxUltraFlatBlendColor(cxUltraFlatPressedWeights);
    return state == pbsPressed || state == pbsDisabled ? clBtnFace : clWindow;
  };
  switch (pixel) {
    case rpOutside: return kRadioKey;
    case rpOuterLeftTop:
      if (style == psUltraFlat) return ColorToRGB(lit ? clHighlight : clBtnShadow);
      return ColorToRGB(clBtnShadow);
    case rpOuterRightBottom:
      if (style == psUltraFlat) return ColorToRGB(lit ? clHighlight : clBtnShadow);
      return ColorToRGB(clBtnHighlight);
    case rpInnerLeftTop:
      if (style == psStandard) return ColorToRGB(cl3DDkShadow);
      return ColorToRGB(style == psFlat ? clBtnFace : face());
    case rpInnerRightBottom:
      if (style == psStandard) return ColorToRGB(cl3DLight);
      return ColorToRGB(style == psFlat ? clBtnFace : face());
    case rpFace: return ColorToRGB(face());
    case rpDot: return ColorToRGB(state == pbsDisabled ? clBtnShadow : clWindowText);
  }
  return kRadioKey;
}

// The images are made when first drawn and kept until the module ends: most windows never draw a
// radio button, an indicator or a page area, and a program's start-up should not pay for them.
struct Resources {
  std::unique_ptr<TcxImageList> radio;
  std::unique_ptr<TcxImageList> indicators;
  TBitmap pagePatterns[2];  // normal, pressed
  int radioBuilds = 0;
  TUtilWindow listener{"TcxSystemColorListener", [this](UINT msg, WPARAM w, LPARAM l) { return Listen(msg, w, l); },
                       false};

  LRESULT Listen(UINT msg, WPARAM w, LPARAM l) {
    // The framework's notice, as a windowed control sends it to itself on the system's.
    if (msg == WM_SYSCOLORCHANGE) return SendMessageA(listener.Handle(), CM_SYSCOLORCHANGE, 0, 0);
    if (msg == CM_SYSCOLORCHANGE) {
      // Images not made yet will be made in the new colours.
      if (radio) BuildRadioImages();
      return 0;
    }
    return DefWindowProcA(listener.Handle(), msg, w, l);
  }

  const TcxImageList& Radio() {
    if (!radio) BuildRadioImages();
    return *radio;
  }

  const TcxImageList& Indicators() {
    if (!indicators) {
      auto list = std::make_unique<TcxImageList>(cxIndicatorImageSize, cxIndicatorImageSize, ikMultiArrow);
      AddStrip(*list, cxIndicatorImageSize, cxIndicatorImageSize, ikMultiArrow, RGB(255, 255, 255),
               [](int i, int x, int y) {
                 const auto& picture = cxIndicatorPicture(static_cast<TcxIndicatorKind>(i + 1));
                 return picture[y][x] == 'X' ? RGB(0, 0, 0) : RGB(255, 255, 255);
               });
      indicators = std::move(list);
    }
    return *indicators;
  }

  void BuildRadioImages() {
    constexpr int kImages = kRadioImageStyles * kButtonStates * 2;
    // The colour of each kind of pixel, worked out once per style and state.
    COLORREF colors[kRadioImageStyles * kButtonStates][rpDot + 1];
    for (int s = 0; s < kRadioImageStyles * kButtonStates; ++s)
      for (int pixel = 0; pixel <= rpDot; ++pixel)
        colors[s][pixel] = RadioColor(static_cast<PainterStyle>(s / kButtonStates),
                                      static_cast<PainterButtonState>(s % kButtonStates),
                                      static_cast<TcxRadioPixel>(pixel));
    auto list = std::make_unique<TcxImageList>(cxRadioSize, cxRadioSize, kImages);
    AddStrip(*list, cxRadioSize, cxRadioSize, kImages, kRadioKey,
             [&](int i, int x, int y) { return colors[i / 2][cxRadioPixel(x, y, i % 2 == 1)]; });
    radio = std::move(list);
    ++radioBuilds;
  }

  // The checkerboard of a page area in the current system colours.
  TBitmap& PagePattern(bool pressed) {
    TBitmap& pattern = pagePatterns[pressed ? 1 : 0];
    pattern.SetSize(8, 8);
    const COLORREF first = ColorToRGB(pressed ? cl3DDkShadow : clBtnHighlight);
    const COLORREF second = ColorToRGB(pressed ? clBlack : clBtnFace);
    GdiFlush();
    for (int y = 0; y < 8; ++y) {
      std::uint8_t* row = pattern.ScanLine(y);
      for (int x = 0; x < 8; ++x) {
        const COLORREF c = cxCheckerboardFirst(x, y) ? first : second;
        row[3 * x] = GetBValue(c);
        row[3 * x + 1] = GetGValue(c);
        row[3 * x + 2] = GetRValue(c);
      }
    }
    return pattern;
  }
};
// The one owner, from the module's start to its end.
std::unique_ptr<Resources> g_resources;

}  // namespace

int cxRadioImageIndex(PainterStyle style, PainterButtonState state, bool checked) {
  const int s = style == psNative ? psStandard : style;
  return (s * kButtonStates + state) * 2 + (checked ? 1 : 0);
}

HIMAGELIST cxRadioImages() { return g_resources ? g_resources->Radio().Get() : nullptr; }
HIMAGELIST cxIndicatorImages() { return g_resources ? g_resources->Indicators().Get() : nullptr; }
HBITMAP cxPagePattern(bool pressed) { return g_resources ? g_resources->PagePattern(pressed).Handle() : nullptr; }

TColor cxUltraFlatBlendColor(TcxBlendWeights weights) {
  const std::uint32_t rgb =
      cxUltraFlatBlend(ColorToRGB(clBtnFace), ColorToRGB(clHighlight), ColorToRGB(clWindow), weights);
  TcxScreenDC screen;
  return static_cast<TColor>(GetNearestColor(screen.Get(), rgb) & 0xFFFFFF);
}

TcxArrowDirection cxScrollArrowDirection(bool horizontal, TcxScrollBarPart part) {
  if (horizontal) return part == sbpLineUp ? adLeft : adRight;
  return part == sbpLineUp ? adUp : adDown;
}

// ---------------------------------------------------------------------------------------------
// Start and end

void cxLookAndFeelPaintersInitialize() {
  if (!g_resources) g_resources = std::make_unique<Resources>();
}

void cxLookAndFeelPaintersFinalize() { g_resources.reset(); }

HWND cxSystemColorListener() { return g_resources ? g_resources->listener.Handle() : nullptr; }

int cxRadioImagesBuildCount() { return g_resources ? g_resources->radioBuilds : 0; }
