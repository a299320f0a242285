#pragma once
#include <windows.h>

#include <array>

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

  // Scales the window font by screenDpi / 96, then positions and sizes of all controls by the
  // font's measured text height / 13. Called once while the window is made.
  void ScaleLayout(int screenDpi);
};

extern TForm1* Form1;
