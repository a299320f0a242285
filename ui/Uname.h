#pragma once
#include <windows.h>

#include <array>
#include <vector>

#include "controls/banner/GradientLabel.h"
#include "controls/buttons/dxButtons.h"
#include "controls/editors/cxTextEdit.h"
#include "controls/status/RzStatus.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

// The maker's web address: it begins the application title, ends the usage hint's credit and is
// what the visit-us button opens. No real maker site exists; the address is a reserved example.
inline constexpr char kMakerAddress[] = "https://www.tessin.example/";

// The program's one window: banner, scrolling usage hint and two buttons in a group box at the
// top, nine entry boxes with the start button below them, and the result box.
class TForm1 : public TForm {
 public:
  explicit TForm1(TComponent* owner);
  const char* ClassName() const override { return "TForm1"; }

  TGroupBox* GroupBox1;
  TGradientLabel* GradientLabel1;
  TRzMarqueeStatus* RzMarqueeStatus1;
  TdxButton* dxButton2;  // visit us
  TdxButton* dxButton1;  // close window
  // cxTextEdit1 to cxTextEdit9, left to right.
  std::array<TcxTextEdit*, 9> cxTextEdit;
  TdxButton* dxButton3;  // start naming
  TMemo* na;             // the result box

  // A press of any mouse button on an entry box empties it (bound to all nine boxes).
  void cxTextEditMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void dxButton1Click(TObject* sender);
  void dxButton2Click(TObject* sender);
  void dxButton3Click(TObject* sender);
  void FormClose(TObject* sender, TCloseAction& action);

  // The shell call of the visit-us button; tests put a failing one in its place. The shell's
  // library is loaded on the first use, not at start-up.
  using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
  static HINSTANCE WINAPI ShellExecuteOnDemand(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
  ShellExecuteFn shellExecute = ShellExecuteOnDemand;

 protected:
  // The window font follows the dots per inch; positions and sizes follow its measured text height.
  TDensity DensityAt(int dpi) override;
  void ApplyDensity() override;

 private:
  template <class T>
  T* Place(T* control, TWinControl* parent, const char* name, int left, int top, int width, int height);
  void SetFont(TFont& font, const char* face, int height, TFontStyles style);

  // The layout as drawn for 96 dots per inch, which every density is worked out from.
  struct DesignedBounds {
    TControl* control;
    TRect bounds;
  };
  struct DesignedFont {
    TFont* font;
    int height;
  };
  std::vector<DesignedBounds> designedBounds_;
  std::vector<DesignedFont> designedFonts_;
};

extern TForm1* Form1;
