#include "ui/Uname.h"

#include <shellapi.h>

#include <string>

#include "framework/SystemLibrary.h"
#include "naming/CombineNames.h"
#include "ui/MessageBox.h"
#include "ui/Texts.h"

TForm1* Form1 = nullptr;

namespace {

// The layout below is drawn for this window font, which measures 13 pixels high at 96 dots per inch.
constexpr int kWindowFontHeight = -13;
constexpr int kDesignTextHeight = 13;

}  // namespace

// Every font asks for the Chinese character set: the system turns the 8-bit texts drawn with a font
// into characters by the code page of the font's character set, which for the default set is the
// system's and for this one is the texts' own (936) in every system language.
void TForm1::SetFont(TFont& font, const char* face, int height, TFontStyles style) {
  font.SetName(face);
  font.SetHeight(height);
  font.SetCharset(GB2312_CHARSET);
  font.SetColor(clWindowText);
  font.SetStyle(style);
  designedFonts_.push_back({&font, height});
}

template <class T>
T* TForm1::Place(T* control, TWinControl* parent, const char* name, int left, int top, int width, int height) {
  control->SetName(name);
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  designedBounds_.push_back({control, Bounds(left, top, width, height)});
  return control;
}

TForm1::TForm1(TComponent* owner) : TForm(owner) {
  // The settings below are the window's layout being read in: they raise no change events.
  SetLoading(true);
  SetName("Form1");
  SetBounds(150, 146, 550, 309);
  SetPosition(poDesigned);
  SetBorderStyle(bsSizeable);
  SetBorderIcons(biSystemMenu | biMinimize | biMaximize);
  SetAutoScroll(true);
  SetCaption(texts::kFormCaption);
  SetColor(clBtnFace);
  SetFont(Font(), texts::kSongTi, kWindowFontHeight, 0);
  OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };

  GroupBox1 = Place(new TGroupBox(this), this, "GroupBox1", 0, 0, 542, 89);
  GroupBox1->SetAlign(alTop);
  GroupBox1->SetCaption(texts::kGroupCaption);
  GroupBox1->SetColor(clBtnFace);
  GroupBox1->SetParentColor(false);  // the window's colour, taken as its own
  GroupBox1->SetTabOrder(0);

  GradientLabel1 = Place(new TGradientLabel(this), GroupBox1, "GradientLabel1", 2, 15, 538, 40);
  GradientLabel1->SetAlign(alTop);
  GradientLabel1->SetCaption(texts::kBannerCaption);
  GradientLabel1->SetColor(clSkyBlue);
  GradientLabel1->SetColorTo(clWindow);
  GradientLabel1->SetGradientType(gtFullVertical);
  GradientLabel1->SetLineWidth(2);
  GradientLabel1->SetIndent(0);
  GradientLabel1->SetEllipsType(etNone);
  GradientLabel1->SetVAlignment(vaCenter);
  GradientLabel1->SetTransparentText(false);
  GradientLabel1->SetTransparent(false);
  GradientLabel1->SetAutoSize(false);
  SetFont(GradientLabel1->Font(), texts::kSongTi, -24, 0);

  RzMarqueeStatus1 = Place(new TRzMarqueeStatus(this), GroupBox1, "RzMarqueeStatus1", 0, 59, 361, 25);
  RzMarqueeStatus1->SetCaption(std::string(texts::kUsageHint) + kMakerAddress + texts::kCreditSuffix);

  dxButton2 = Place(new TdxButton(this), GroupBox1, "dxButton2", 376, 61, 73, 21);
  dxButton2->SetCaption(texts::kVisitUs);
  dxButton2->SetTabOrder(0);
  dxButton2->OnClick = [this](TObject* sender) { dxButton2Click(sender); };

  dxButton1 = Place(new TdxButton(this), GroupBox1, "dxButton1", 456, 61, 73, 21);
  dxButton1->SetCaption(texts::kCloseWindow);
  dxButton1->SetTabOrder(1);
  dxButton1->OnClick = [this](TObject* sender) { dxButton1Click(sender); };

  for (int n = 1; n <= 9; ++n) {
    const std::string name = "cxTextEdit" + std::to_string(n);
    TcxTextEdit* edit = Place(new TcxTextEdit(this), this, name.c_str(), 16 + 48 * (n - 1), 104, 33, 21);
    edit->Style().LookAndFeel().SetKind(lfFlat);
    edit->SetText(texts::kEntries[n - 1]);
    edit->SetTabOrder(n);
    edit->SetAccessibleName(texts::kEntryNamePrefix + std::to_string(n) + texts::kEntryNameSuffix);
    edit->OnMouseDown = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
      cxTextEditMouseDown(sender, button, shift, x, y);
    };
    cxTextEdit[n - 1] = edit;
  }

  dxButton3 = Place(new TdxButton(this), this, "dxButton3", 448, 104, 81, 21);
  dxButton3->SetCaption(texts::kStartNaming);
  SetFont(dxButton3->Font(), texts::kSongTi, -13, fsBold);
  dxButton3->SetTabOrder(10);
  dxButton3->OnClick = [this](TObject* sender) { dxButton3Click(sender); };

  na = Place(new TMemo(this), this, "na", 16, 136, 513, 129);
  SetFont(na->Font(), texts::kSongTi, -16, 0);
  na->SetText(std::string(texts::kUsageLine1) + "\r\n" + texts::kUsageLine2 + "\r\n" + texts::kUsageLine3 + "\r\n" +
              texts::kUsageLine4);
  // The names are the words of the result: each stays whole on its row.
  na->SetBreaksAtSpaces(true);
  na->SetTabOrder(11);
  na->SetAccessibleName(texts::kResultBoxName);

  SetLoading(false);

  // On a denser screen the window shows what it shows at 96 dots per inch, only larger: its
  // client area grows with its controls.
  const TSize frame = FrameSize(TDensity::kDesignDpi);
  SetDesignedClientSize({Width() - frame.cx, Height() - frame.cy});
  gdi::WindowDC screen(nullptr);
  SetDensity(GetDeviceCaps(screen.Get(), LOGPIXELSY));
}

TDensity TForm1::DensityAt(int dpi) {
  const TDensity density(dpi);
  TFont font;
  font.Assign(Font());
  font.SetHeight(density.FontHeight(kWindowFontHeight));
  return density.WithTextHeight(kDesignTextHeight, MeasureText(font, "0").cy);
}

// Every font given in pixels follows the dots per inch as the window font does; the children that
// take the window font follow it.
void TForm1::ApplyDensity() {
  for (const DesignedFont& f : designedFonts_) f.font->SetHeight(Density().FontHeight(f.height));
  for (const DesignedBounds& b : designedBounds_) {
    const TRect r = Density().Scale(b.bounds);
    b.control->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  }
}

void TForm1::cxTextEditMouseDown(TObject* sender, TMouseButton, TShiftState, int, int) {
  static_cast<TcxTextEdit*>(sender)->SetText("");
}

void TForm1::dxButton1Click(TObject*) { Close(); }

HINSTANCE WINAPI TForm1::ShellExecuteOnDemand(HWND window, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                              LPCSTR directory, INT show) {
  static const auto shell = LibraryFunction<ShellExecuteFn>(LoadSystemLibrary("shell32.dll"), "ShellExecuteA");
  // Without the shell, as without a handler for the address: the failure code of a missing file.
  if (!shell) return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_FNF));
  return shell(window, verb, file, parameters, directory, show);
}

void TForm1::dxButton2Click(TObject*) {
  const HINSTANCE result = shellExecute(nullptr, "open", kMakerAddress, "", "", SW_SHOWNORMAL);
  if (reinterpret_cast<INT_PTR>(result) <= 32) ShowMessage(texts::kBrowserNotFound);
}

// The result is computed once and written in one step: the same text as appending the 81 names
// one by one, without the quadratic cost.
void TForm1::dxButton3Click(TObject*) {
  na->Clear();
  na->Font().SetStyle(fsBold);
  naming::Entries entries;
  for (std::size_t i = 0; i < cxTextEdit.size(); ++i) entries[i] = cxTextEdit[i]->Text();
  na->SetText(naming::CombineNames(entries));
}

void TForm1::FormClose(TObject*, TCloseAction&) {}
